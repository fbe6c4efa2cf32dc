// The Windows file service under a real Windows API (Wine in the test command): folders made on
// the way, entered, and a file replaced, also where the path holds non-ASCII letters.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "runtime/tests/test_files.h"

namespace {

using platform::FileError;

// The UTF-8 form of a path, as the file service takes it.
std::string utf8_of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TEST(Win32Folders, MakesEveryFolderOnTheWayAndEntersIt) {
    TemporaryWorkingDirectory directory;
    const std::filesystem::path base = std::filesystem::current_path();
    const std::filesystem::path target = base / u8"Jeux" / u8"B\u00e2timent" / u8"vormelin";
    EXPECT_EQ(platform::make_folders(utf8_of(target)), FileError::none);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(platform::make_folders(utf8_of(target)), FileError::none) << "already there";

    EXPECT_EQ(platform::enter_folder(utf8_of(target)), FileError::none);
    EXPECT_EQ(std::filesystem::current_path(), target);
    EXPECT_EQ(platform::replace_file_contents("Scores.qelm", "Ren\xE9|12\r\n"), FileError::none);
    EXPECT_EQ(read_file("Scores.qelm"), "Ren\xE9|12\r\n");
    std::filesystem::current_path(base);
}

TEST(Win32Folders, RefusesARelativePathAndAFileInTheWay) {
    TemporaryWorkingDirectory directory;
    EXPECT_EQ(platform::make_folders("relative\\folder"), FileError::not_found);
    write_file("taken", "a file");
    const std::filesystem::path in_the_way = std::filesystem::current_path() / "taken" / "below";
    EXPECT_EQ(platform::make_folders(utf8_of(in_the_way)), FileError::not_a_folder);
    EXPECT_EQ(platform::enter_folder(utf8_of(std::filesystem::current_path() / "taken")),
              FileError::not_a_folder);
    EXPECT_EQ(platform::enter_folder(utf8_of(std::filesystem::current_path() / "missing")),
              FileError::not_found);
}

TEST(Win32Files, ReplacesAFileWholeAndLeavesNothingBeside) {
    TemporaryWorkingDirectory directory;
    write_file("Scores.qelm", "old contents, longer than the new ones\r\n");
    EXPECT_EQ(platform::replace_file_contents("Scores.qelm", "new\r\n"), FileError::none);
    EXPECT_EQ(read_file("Scores.qelm"), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
    std::filesystem::remove("Scores.qelm");
    std::filesystem::create_directory("Scores.qelm");
    EXPECT_EQ(platform::replace_file_contents("Scores.qelm", "x"), FileError::not_a_regular_file);
}

}  // namespace
