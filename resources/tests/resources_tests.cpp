// Tests of the embedded pictures: lookup by name and the PNG structure of every picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/resources.h"

namespace {

// What a PNG's header says, and whether its chunks are all present and undamaged.
struct PngSummary {
    bool has_signature = false;
    bool chunks_intact = false;  // IHDR first, every CRC right, IEND exactly at the end
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bit_depth = 0;
    int colour_type = 0;
};

std::uint32_t read_u32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

PngSummary summarise_png(std::span<const std::uint8_t> bytes) {
    constexpr std::array<std::uint8_t, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PngSummary summary;
    summary.has_signature =
        bytes.size() >= 8 && std::equal(signature.begin(), signature.end(), bytes.begin());
    if (!summary.has_signature) {
        return summary;
    }
    std::size_t at = 8;
    bool first = true;
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = read_u32(bytes, at);
        if (length > bytes.size() - at - 12) {
            return summary;
        }
        const auto type_and_data = bytes.subspan(at + 4, 4 + length);
        const std::string_view type(reinterpret_cast<const char*>(type_and_data.data()), 4);
        if (crc32(type_and_data) != read_u32(bytes, at + 8 + length)) {
            return summary;
        }
        if (first) {
            if (type != "IHDR" || length != 13) {
                return summary;
            }
            summary.width = read_u32(bytes, at + 8);
            summary.height = read_u32(bytes, at + 12);
            summary.bit_depth = bytes[at + 16];
            summary.colour_type = bytes[at + 17];
            first = false;
        }
        at += 12 + length;
        if (type == "IEND") {
            summary.chunks_intact = at == bytes.size();
            return summary;
        }
    }
    return summary;
}

struct ExpectedPicture {
    std::string_view name;
    std::uint32_t width;
    std::uint32_t height;
};

constexpr std::array<ExpectedPicture, 12> expected_pictures{{
    {"FOND", 700, 550},
    {"BF", 36, 34},
    {"BM", 36, 34},
    {"BT", 36, 34},
    {"BR", 36, 34},
    {"BA", 36, 34},
    {"B1", 29, 29},
    {"B2", 29, 29},
    {"B3", 29, 29},
    {"B4", 29, 29},
    {"B5", 29, 29},
    {"SYSTRAY", 32, 32},
}};

bool same_bytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    return a.data() == b.data() && a.size() == b.size();
}

TEST(FindResource, IgnoresTheCaseOfAsciiLetters) {
    const auto fond = find_resource("FOND");
    ASSERT_FALSE(fond.empty());
    EXPECT_TRUE(same_bytes(find_resource("Fond"), fond));
    EXPECT_TRUE(same_bytes(find_resource("fond"), fond));
    EXPECT_TRUE(same_bytes(find_resource("sysTray"), find_resource("SYSTRAY")));
    EXPECT_TRUE(same_bytes(find_resource("b5"), find_resource("B5")));
}

TEST(FindResource, GivesEachNameItsOwnPicture) {
    EXPECT_FALSE(same_bytes(find_resource("B1"), find_resource("B2")));
    EXPECT_FALSE(same_bytes(find_resource("BF"), find_resource("BM")));
    EXPECT_EQ(summarise_png(find_resource("Fond")).width, 700u);
    EXPECT_EQ(summarise_png(find_resource("b3")).width, 29u);
}

TEST(FindResource, GivesNothingForUnknownNames) {
    for (std::string_view name : {"", "B", "B6", "FON", "FONDS", "FOND.png", " FOND", "B1 "}) {
        EXPECT_TRUE(find_resource(name).empty()) << '"' << name << '"';
    }
    // Names that differ only beyond ASCII case stay different.
    EXPECT_TRUE(find_resource("F\xCFND").empty());
    EXPECT_TRUE(find_resource(std::string_view("FOND\0", 5)).empty());
}

// Every picture and its second set, NAME@2x at twice the size.
std::vector<ExpectedPicture> both_sets() {
    static const std::vector<std::string> dense_names = [] {
        std::vector<std::string> names;
        for (const ExpectedPicture& expected : expected_pictures) {
            names.push_back(std::string(expected.name) + "@2x");
        }
        return names;
    }();
    std::vector<ExpectedPicture> pictures(expected_pictures.begin(), expected_pictures.end());
    for (std::size_t i = 0; i < expected_pictures.size(); ++i) {
        pictures.push_back(
            {dense_names[i], 2 * expected_pictures[i].width, 2 * expected_pictures[i].height});
    }
    return pictures;
}

TEST(EmbeddedResources, HoldsExactlyThePicturesAndTheirSecondSetWithUniqueNames) {
    const auto table = embedded_resources();
    const auto expected_set = both_sets();
    ASSERT_EQ(table.size(), expected_set.size());
    for (const ExpectedPicture& expected : expected_set) {
        int matches = 0;
        for (const EmbeddedResource& resource : table) {
            matches += resource.name == expected.name ? 1 : 0;
        }
        EXPECT_EQ(matches, 1) << expected.name;
    }
}

TEST(EmbeddedPictures, AreWholeRgbaPngsOfTheirSizes) {
    for (const ExpectedPicture& expected : both_sets()) {
        SCOPED_TRACE(std::string(expected.name));
        const PngSummary png = summarise_png(find_resource(expected.name));
        EXPECT_TRUE(png.has_signature);
        EXPECT_TRUE(png.chunks_intact);
        EXPECT_EQ(png.width, expected.width);
        EXPECT_EQ(png.height, expected.height);
        EXPECT_EQ(png.bit_depth, 8);
        EXPECT_EQ(png.colour_type, 6);  // truecolour with alpha
    }
}

TEST(PngSummary, NoticesDamagedFiles) {
    const auto bytes = find_resource("B1");
    ASSERT_TRUE(summarise_png(bytes).chunks_intact);
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    copy[copy.size() / 2] ^= 0x40;
    EXPECT_FALSE(summarise_png(copy).chunks_intact);
    EXPECT_FALSE(summarise_png(bytes.first(bytes.size() - 1)).chunks_intact);
    EXPECT_FALSE(summarise_png(bytes.subspan(1)).has_signature);
}

}  // namespace
