// Tests of making the folders on the way to the score table's folder and entering it, each in a
// fresh working directory.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/posix/tests/child_process.h"
#include "runtime/tests/test_files.h"

namespace {

namespace fs = std::filesystem;
using platform::FileError;
using platform::make_folders;

mode_t mode_of(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

TEST(MakeFolders, MissingFoldersAreMadeForTheOwnerAloneAndExistingOnesKeepTheirMode) {
    TemporaryWorkingDirectory directory;
    const fs::path base = fs::current_path();
    fs::create_directory(base / "share");
    fs::permissions(base / "share", fs::perms(0755));
    const fs::path wanted = base / "share" / "deeper" / "vormelin";

    EXPECT_EQ(make_folders(wanted.string()), FileError::none);
    EXPECT_TRUE(fs::is_directory(wanted));
    EXPECT_EQ(mode_of(base / "share" / "deeper"), 0700u);
    EXPECT_EQ(mode_of(wanted), 0700u);
    EXPECT_EQ(mode_of(base / "share"), 0755u) << "a folder that was there is left alone";

    EXPECT_EQ(make_folders(wanted.string()), FileError::none) << "a second time changes nothing";
    EXPECT_EQ(make_folders(wanted.string() + "/"), FileError::none);
    EXPECT_EQ(make_folders((base / "share//two").string()), FileError::none);
    EXPECT_TRUE(fs::is_directory(base / "share" / "two"));
}

TEST(MakeFolders, WhatStandsInTheWayOrIsRefusedIsReported) {
    TemporaryWorkingDirectory directory;
    const fs::path base = fs::current_path();
    write_file("file", "not a folder");
    EXPECT_EQ(make_folders((base / "file").string()), FileError::not_a_folder);
    EXPECT_EQ(make_folders((base / "file" / "vormelin").string()), FileError::not_a_folder);
    EXPECT_EQ(make_folders("relative/vormelin"), FileError::not_found);
    EXPECT_EQ(make_folders(""), FileError::not_found);

    fs::create_directory("closed");
    fs::permissions("closed", fs::perms(0555));
    const std::string inside = (base / "closed" / "vormelin").string();
    EXPECT_EQ(run_in_child({.as_other_user = true}, [&] { return make_folders(inside); }),
              FileError::permission_denied);
    EXPECT_FALSE(fs::exists(inside));
}

TEST(EnterFolder, TheWorkingFolderChangesOnlyWhenTheFolderCanBeEntered) {
    TemporaryWorkingDirectory directory;
    const fs::path base = fs::current_path();
    fs::create_directory("scores");
    write_file("file", "");

    EXPECT_EQ(platform::enter_folder((base / "missing").string()), FileError::not_found);
    EXPECT_EQ(platform::enter_folder((base / "file").string()), FileError::not_a_folder);
    EXPECT_EQ(fs::current_path(), base);
    EXPECT_EQ(platform::enter_folder((base / "scores").string()), FileError::none);
    EXPECT_EQ(fs::current_path(), base / "scores");
}

}  // namespace
