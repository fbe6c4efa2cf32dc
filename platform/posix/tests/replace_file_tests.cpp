// Tests of replacing a file's contents, each in a fresh working directory. What needs another
// user, a full disk or a guard against waiting for ever runs in a child process.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/posix/tests/child_process.h"
#include "runtime/tests/test_files.h"

namespace {

namespace fs = std::filesystem;
using platform::FileError;
using platform::replace_file_contents;

const std::string old_bytes = "old\r\ntable\r\n";
const std::string new_bytes = "new\r\n" + std::string(300, 'n') + "\r\n";

struct stat status_of(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

mode_t mode_of(const std::string& path) {
    return status_of(path).st_mode & 07777;
}

// The names in a folder, sorted: nothing is left beside the file.
std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

FileError replace_scores() {
    return replace_file_contents("Scores.qelm", new_bytes);
}

using Names = std::vector<std::string>;

}  // namespace

TEST(ReplaceFile, ANewFileGetsTheUmaskAndNothingIsLeftBesideIt) {
    for (mode_t umask : {022u, 077u}) {
        TemporaryWorkingDirectory directory;
        EXPECT_EQ(run_in_child({.umask = umask}, replace_scores), FileError::none);
        EXPECT_EQ(read_file("Scores.qelm"), new_bytes);
        EXPECT_EQ(mode_of("Scores.qelm"), 0666 & ~umask);
        EXPECT_EQ(names_in("."), Names{"Scores.qelm"});
    }
}

TEST(ReplaceFile, KeepsTheModeAndTheOwnerOfTheOldFile) {
    TemporaryWorkingDirectory directory;
    for (mode_t mode : {0600u, 0640u, 0604u}) {
        write_file("Scores.qelm", old_bytes);
        ASSERT_EQ(chmod("Scores.qelm", mode), 0);
        EXPECT_EQ(run_in_child({.umask = 0}, replace_scores), FileError::none);
        EXPECT_EQ(read_file("Scores.qelm"), new_bytes);
        EXPECT_EQ(mode_of("Scores.qelm"), mode);
    }
    if (geteuid() == 0) {
        hand_to_other_user("Scores.qelm");
        EXPECT_EQ(replace_scores(), FileError::none);
        EXPECT_EQ(status_of("Scores.qelm").st_uid, 65534u);
        EXPECT_EQ(status_of("Scores.qelm").st_gid, 65534u);
    }
    EXPECT_EQ(names_in("."), Names{"Scores.qelm"});
}

TEST(ReplaceFile, ALinkStaysALinkAndTheFileItNamesIsWritten) {
    TemporaryWorkingDirectory directory;
    fs::create_directory("real");
    write_file("real/scores", old_bytes);
    ASSERT_EQ(chmod("real/scores", 0600), 0);
    // A chain of two links; the second one's target is relative to its own folder.
    fs::create_symlink("real/link", "Scores.qelm");
    fs::create_symlink("scores", "real/link");
    EXPECT_EQ(replace_scores(), FileError::none);
    EXPECT_EQ(fs::read_symlink("Scores.qelm"), "real/link");
    EXPECT_EQ(fs::read_symlink("real/link"), "scores");
    EXPECT_EQ(read_file("real/scores"), new_bytes);
    EXPECT_EQ(mode_of("real/scores"), 0600u);
    EXPECT_EQ(names_in("real"), (Names{"link", "scores"}));

    // A dangling link gets the file it names.
    fs::create_symlink(fs::absolute("real/new"), "dangling");
    EXPECT_EQ(replace_file_contents("dangling", new_bytes), FileError::none);
    EXPECT_TRUE(fs::is_symlink("dangling"));
    EXPECT_EQ(read_file("real/new"), new_bytes);
}

TEST(ReplaceFile, LinksThatLeadNowhereAreReportedAndChangeNothing) {
    TemporaryWorkingDirectory directory;
    fs::create_symlink("missing/scores", "Scores.qelm");
    EXPECT_EQ(replace_scores(), FileError::not_found);
    fs::create_symlink("b", "a");
    fs::create_symlink("a", "b");
    EXPECT_EQ(replace_file_contents("a", new_bytes), FileError::too_many_links);
    fs::create_symlink("self", "self");
    EXPECT_EQ(replace_file_contents("self", new_bytes), FileError::too_many_links);
    EXPECT_EQ(names_in("."), (Names{"Scores.qelm", "a", "b", "self"}));
    EXPECT_EQ(fs::read_symlink("Scores.qelm"), "missing/scores");
}

TEST(ReplaceFile, WhatStandsAtTheOldFixedTemporaryNameIsLeftAlone) {
    TemporaryWorkingDirectory directory;
    write_file("Scores.qelm", old_bytes);
    fs::create_directory("Scores.qelm.tmp");
    EXPECT_EQ(replace_scores(), FileError::none);
    EXPECT_TRUE(fs::is_directory("Scores.qelm.tmp"));
    fs::remove("Scores.qelm.tmp");

    ASSERT_EQ(mkfifo("Scores.qelm.tmp", 0600), 0);
    EXPECT_EQ(run_in_child({}, replace_scores), FileError::none);  // ends in time
    EXPECT_TRUE(fs::is_fifo("Scores.qelm.tmp"));
    fs::remove("Scores.qelm.tmp");

    write_file("victim", old_bytes);
    fs::create_symlink("victim", "Scores.qelm.tmp");
    EXPECT_EQ(replace_scores(), FileError::none);
    EXPECT_EQ(read_file("victim"), old_bytes);
    EXPECT_EQ(read_file("Scores.qelm"), new_bytes);
    EXPECT_EQ(names_in("."), (Names{"Scores.qelm", "Scores.qelm.tmp", "victim"}));
}

TEST(ReplaceFile, WhatIsNotARegularFileIsReportedAndKept) {
    TemporaryWorkingDirectory directory;
    fs::create_directories("Scores.qelm/inside");
    EXPECT_EQ(replace_scores(), FileError::not_a_regular_file);
    EXPECT_TRUE(fs::is_directory("Scores.qelm/inside"));
    fs::remove_all("Scores.qelm");

    ASSERT_EQ(mkfifo("Scores.qelm", 0600), 0);
    EXPECT_EQ(run_in_child({}, replace_scores), FileError::not_a_regular_file);
    EXPECT_TRUE(fs::is_fifo("Scores.qelm"));
    EXPECT_EQ(names_in("."), Names{"Scores.qelm"});
}

TEST(ReplaceFile, AReadOnlyFolderGetsAWritableFileRewrittenInPlace) {
    TemporaryWorkingDirectory directory;
    const std::string longest(500, 'o');
    write_file("Scores.qelm", longest);
    hand_to_other_user("Scores.qelm");
    ASSERT_EQ(chmod(".", 0555), 0);
    const ino_t inode = status_of("Scores.qelm").st_ino;
    for (const std::string& bytes : {new_bytes, old_bytes, longest + "o"}) {
        EXPECT_EQ(run_in_child({.as_other_user = true},
                               [&] { return replace_file_contents("Scores.qelm", bytes); }),
                  FileError::none);
        EXPECT_EQ(read_file("Scores.qelm"), bytes) << "shrunk or grown to the new size";
    }
    EXPECT_EQ(status_of("Scores.qelm").st_ino, inode);
    EXPECT_EQ(names_in("."), Names{"Scores.qelm"});
}

TEST(ReplaceFile, RefusedPermissionIsReportedAndKeepsTheOldBytes) {
    TemporaryWorkingDirectory directory;
    ASSERT_EQ(chmod(".", 0555), 0);
    EXPECT_EQ(run_in_child({.as_other_user = true}, replace_scores), FileError::permission_denied);
    EXPECT_EQ(names_in("."), Names{});

    ASSERT_EQ(chmod(".", 0755), 0);
    write_file("Scores.qelm", old_bytes);
    ASSERT_EQ(chmod("Scores.qelm", 0444), 0);
    ASSERT_EQ(chmod(".", 0555), 0);
    EXPECT_EQ(run_in_child({.as_other_user = true}, replace_scores), FileError::permission_denied);
    EXPECT_EQ(read_file("Scores.qelm"), old_bytes);
}

TEST(ReplaceFile, AFullDiskIsReportedAndKeepsTheOldBytes) {
    TemporaryWorkingDirectory directory;
    write_file("Scores.qelm", old_bytes);
    const ChildLimits small_disk{.largest_file = 100};
    EXPECT_EQ(run_in_child(small_disk, replace_scores), FileError::no_space);
    EXPECT_EQ(read_file("Scores.qelm"), old_bytes);
    EXPECT_EQ(names_in("."), Names{"Scores.qelm"});

    // In place, the space is claimed before any old byte is overwritten.
    hand_to_other_user("Scores.qelm");
    ASSERT_EQ(chmod(".", 0555), 0);
    const ChildLimits small_disk_read_only_folder{.as_other_user = true, .largest_file = 100};
    EXPECT_EQ(run_in_child(small_disk_read_only_folder, replace_scores), FileError::no_space);
    EXPECT_EQ(read_file("Scores.qelm"), old_bytes);
}
