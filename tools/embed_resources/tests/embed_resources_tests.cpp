// Tests of embed_resources: reading the input files and the source written from them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/embed_resources/embedded_source.h"
#include "tools/embed_resources/input_files.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder of the test's own, in the test's working directory.
fs::path scratch_folder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path folder = fs::current_path() / (std::string("scratch_") + test->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

fs::path write_file(const fs::path& folder, const std::string& name, const std::string& bytes) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The arrays and the table read back from a generated source: name -> bytes, in table order.
struct ReadBack {
    std::vector<std::string> names;
    std::vector<std::vector<std::uint8_t>> bytes;
};

std::string unescape(const std::string& literal) {
    std::string text;
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] == '\\') {
            text += static_cast<char>(std::stoi(literal.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            text += literal[i];
        }
    }
    return text;
}

ReadBack read_back(const std::string& source) {
    std::vector<std::vector<std::uint8_t>> arrays;
    for (std::size_t at = source.find("[] = {"); at != std::string::npos;
         at = source.find("[] = {", at + 1)) {
        const std::size_t end = source.find("};", at);
        std::istringstream numbers(source.substr(at + 6, end - at - 6));
        std::vector<std::uint8_t> bytes;
        for (int value = 0; numbers >> value; numbers.ignore(1)) {
            bytes.push_back(static_cast<std::uint8_t>(value));
        }
        arrays.push_back(bytes);
    }
    ReadBack back;
    for (std::size_t at = source.find("    {\""); at != std::string::npos;
         at = source.find("    {\"", at + 1)) {
        const std::size_t close = source.find("\", resource_", at);
        back.names.push_back(unescape(source.substr(at + 6, close - at - 6)));
        const std::size_t index = std::stoul(source.substr(close + 12));
        back.bytes.push_back(arrays.at(index));
    }
    return back;
}

TEST(ResourceNames, AreTheFileNameWithoutExtensionComparedBlindToAsciiCase) {
    EXPECT_EQ(resource_name_of("resources/FOND.png"), "FOND");
    EXPECT_EQ(resource_name_of("/a/b.c/SYSTRAY.png"), "SYSTRAY");
    EXPECT_EQ(resource_name_of("notes.v2.txt"), "notes.v2");
    EXPECT_TRUE(same_resource_name("Fond", "FOND"));
    EXPECT_FALSE(same_resource_name("FOND", "FONDS"));
    EXPECT_FALSE(same_resource_name("B1", "B!"));                // '!' is not a case of '1'
    EXPECT_FALSE(same_resource_name("\xC9T\xC9", "\xE9T\xE9"));  // only ASCII letters fold
}

TEST(ReadInputFiles, KeepsTheOrderAndTheBytes) {
    const fs::path folder = scratch_folder();
    const std::string binary("\x89PNG\0\xFF\n", 7);
    std::string problem;
    const auto inputs = read_input_files(
        {write_file(folder, "FOND.png", binary), write_file(folder, "B1.png", "brick")}, problem);
    ASSERT_TRUE(inputs) << problem;
    ASSERT_EQ(inputs->size(), 2u);
    EXPECT_EQ((*inputs)[0].name, "FOND");
    EXPECT_EQ((*inputs)[0].bytes, std::vector<std::uint8_t>(binary.begin(), binary.end()));
    EXPECT_EQ((*inputs)[1].name, "B1");
}

TEST(ReadInputFiles, RefusesMissingEmptyAndAmbiguousFiles) {
    const fs::path folder = scratch_folder();
    const fs::path fond = write_file(folder, "FOND.png", "a");
    const fs::path other_fond = write_file(folder, "fond.bmp", "b");
    const fs::path empty = write_file(folder, "B2.png", "");
    std::string problem;
    EXPECT_FALSE(read_input_files({fond, folder / "missing.png"}, problem));
    EXPECT_NE(problem.find("missing.png"), std::string::npos);
    EXPECT_FALSE(read_input_files({empty}, problem));
    EXPECT_NE(problem.find("empty"), std::string::npos);
    EXPECT_FALSE(read_input_files({fond, other_fond}, problem));
    EXPECT_NE(problem.find("fond"), std::string::npos);
}

TEST(WriteEmbeddedSource, CarriesEveryByteUnderItsName) {
    std::vector<std::uint8_t> all_values(256);
    for (int i = 0; i < 256; ++i) {
        all_values[i] = static_cast<std::uint8_t>(255 - i);
    }
    const std::vector<EmbeddedInput> inputs{
        {"FOND", all_values}, {"B1", {0}}, {"odd \"name\\?\xE9", {1, 2, 3}}};
    std::ostringstream source;
    write_embedded_source(source, inputs);
    const ReadBack back = read_back(source.str());
    ASSERT_EQ(back.names.size(), inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(back.names[i], inputs[i].name);
        EXPECT_EQ(back.bytes[i], inputs[i].bytes);
    }
    EXPECT_NE(source.str().find("embedded_resources()"), std::string::npos);
}

TEST(WriteEmbeddedSource, DefinesAnEmptyTableForNoFiles) {
    std::ostringstream source;
    write_embedded_source(source, {});
    EXPECT_NE(source.str().find("embedded_resources() { return {}; }"), std::string::npos);
    EXPECT_EQ(source.str().find("[] = {"), std::string::npos);  // no zero-length array
}

}  // namespace
