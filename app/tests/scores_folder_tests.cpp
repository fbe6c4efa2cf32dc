// The score folder of a start from the menu: which folder, how the player reads its path, and
// making and entering it.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/scores_folder.h"
#include "app/tests/app_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST(MenuScoresFolderTest, TheDataHomeWhenAbsoluteElseTheHomesLocalShare) {
    EXPECT_EQ(menu_scores_folder("/data", "/home/anne"), "/data/vormelin");
    EXPECT_EQ(menu_scores_folder("/data//", "/home/anne"), "/data/vormelin");
    EXPECT_EQ(menu_scores_folder(nullptr, "/home/anne"), "/home/anne/.local/share/vormelin");
    EXPECT_EQ(menu_scores_folder("", "/home/anne"), "/home/anne/.local/share/vormelin");
    EXPECT_EQ(menu_scores_folder("data", "/home/anne/"), "/home/anne/.local/share/vormelin")
        << "a relative data home is ignored";
    EXPECT_EQ(menu_scores_folder("./data", "/home/anne"), "/home/anne/.local/share/vormelin");
    EXPECT_EQ(menu_scores_folder(nullptr, "/"), "/.local/share/vormelin");
}

TEST(MenuScoresFolderTest, WithoutAnAbsoluteHomeThereIsNoFolder) {
    EXPECT_EQ(menu_scores_folder(nullptr, nullptr), "");
    EXPECT_EQ(menu_scores_folder("", ""), "");
    EXPECT_EQ(menu_scores_folder("data", "home"), "");
    EXPECT_EQ(menu_scores_folder("/data", nullptr), "/data/vormelin") << "no home needed then";
}

TEST(MenuScoresFolderTest, ThePlayerReadsTheHomeAsATildeAndTheCodePage) {
    const char* home = "/home/anne";
    EXPECT_EQ(path_for_player("/home/anne/.local/share/vormelin", home), "~/.local/share/vormelin");
    EXPECT_EQ(path_for_player("/home/anne", home), "~");
    EXPECT_EQ(path_for_player("/home/annette/vormelin", home), "/home/annette/vormelin");
    EXPECT_EQ(path_for_player("/data/vormelin", home), "/data/vormelin");
    EXPECT_EQ(path_for_player("/data/vormelin", nullptr), "/data/vormelin");
    EXPECT_EQ(path_for_player("/data/zo\xC3\xA9/\xE2\x82\xAC", home), "/data/zo\xE9/\x80");
    EXPECT_EQ(path_for_player("/data/\xE6\x97\xA5/\xF0\x9F\x8E\xB2", home), "/data/?/?");
    EXPECT_EQ(path_for_player("/data/\xFF\xC3", home), "/data/??") << "bytes that are no UTF-8";
}

TEST(MenuScoresFolderTest, TheFailureTextGivesThePathAndTheReasonInFrench) {
    EXPECT_EQ(scores_folder_failure_text("~/.local/share/vormelin",
                                         platform::FileError::permission_denied),
              "Impossible de cr\xE9"
              "er le dossier des scores ~/.local/share/vormelin : permission refus\xE9"
              "e");
    EXPECT_EQ(scores_folder_failure_text("/x", platform::FileError::read_only_file_system),
              "Impossible de cr\xE9"
              "er le dossier des scores /x : syst\xE8me de fichiers en lecture seule");
}

// In a fresh working folder of its own (the fixture's), left as it was afterwards.
class EnterScoresFolderTest : public AppTest {};

TEST_F(EnterScoresFolderTest, TheFolderIsMadeForTheOwnerAndEntered) {
    const fs::path start = fs::current_path();
    const std::string data = (start / "data").string();
    EXPECT_EQ(enter_menu_scores_folder(data.c_str(), "/nowhere"), "");
    EXPECT_EQ(fs::current_path(), start / "data" / "vormelin");
    struct stat status {};
    ASSERT_EQ(stat((start / "data").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    fs::current_path(start);
    EXPECT_EQ(enter_menu_scores_folder(data.c_str(), "/nowhere"), "") << "it exists now";
    EXPECT_EQ(fs::current_path(), start / "data" / "vormelin");
}

TEST_F(EnterScoresFolderTest, AFolderThatCannotBeMadeIsToldAndTheWorkingFolderStays) {
    const fs::path start = fs::current_path();
    std::ofstream(start / "share") << "a file, not a folder";
    const std::string home = start.string();
    const std::string data = (start / "share").string();

    EXPECT_EQ(enter_menu_scores_folder(data.c_str(), home.c_str()),
              "Impossible de cr\xE9"
              "er le dossier des scores ~/share/vormelin : un fichier est \xE0 la place d'un "
              "dossier");
    EXPECT_EQ(fs::current_path(), start);

    EXPECT_EQ(enter_menu_scores_folder("relative", "relative"),
              "Impossible de trouver le dossier des scores : ni XDG_DATA_HOME ni HOME ne donnent "
              "un chemin absolu");
    EXPECT_EQ(fs::current_path(), start);
}

}  // namespace
