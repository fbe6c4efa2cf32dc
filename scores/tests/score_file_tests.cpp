// Tests of reading and writing the score file, in a fresh working directory each.
#include "scores/score_file.h"

#include "runtime/tests/test_files.h"
#include "scores/save_failure.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>

#ifdef __unix__
#include <sys/stat.h>
#endif

namespace {

ScoreTable load_from(const std::string& content) {
    write_file(score_file_name, content);
    ScoreTable table;
    load_scores(table);
    return table;
}

void expect_defaults_from(const ScoreTable& table, int first) {
    for (int i = first; i < score_entry_count; ++i) {
        EXPECT_EQ(table.names[i], "Mr Vormelin") << "entry " << i;
        EXPECT_EQ(table.results[i], 224) << "entry " << i;
    }
}

// The file that a reset table with an empty last_name gives.
const std::string default_file = [] {
    std::string content = "\r\n";
    for (int i = 0; i < score_entry_count; ++i) {
        content += "Mr Vormelin|224\r\n";
    }
    return content;
}();

}  // namespace

TEST(ScoreFileLoading, MissingFileGivesDefaultsAndSavesNothing) {
    TemporaryWorkingDirectory directory;
    ScoreTable table;
    table.last_name = "kept";
    table.modified = true;
    load_scores(table);
    expect_defaults_from(table, 0);
    EXPECT_EQ(table.last_name, "kept");
    EXPECT_FALSE(table.modified);
    EXPECT_EQ(save_scores(table), platform::FileError::none);
    EXPECT_FALSE(std::filesystem::exists(score_file_name));
}

TEST(ScoreFileLoading, AcceptsEveryLineEnd) {
    TemporaryWorkingDirectory directory;
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(end));
        std::string content = std::string("Anne") + end + "Paul|5" + end + "Anne|-3" + end;
        ScoreTable table = load_from(content);
        EXPECT_EQ(table.last_name, "Anne");
        EXPECT_EQ(table.names[0], "Paul");
        EXPECT_EQ(table.results[0], 5);
        EXPECT_EQ(table.names[1], "Anne");
        EXPECT_EQ(table.results[1], -3);
        expect_defaults_from(table, 2);
    }
    ScoreTable unterminated = load_from("Anne\r\nPaul|5");
    EXPECT_EQ(unterminated.names[0], "Paul");
    EXPECT_EQ(unterminated.results[0], 5);
    expect_defaults_from(unterminated, 1);
}

TEST(ScoreFileLoading, ShortFilesKeepWhatTheyHold) {
    TemporaryWorkingDirectory directory;
    ScoreTable empty_file = load_from("");
    EXPECT_EQ(empty_file.last_name, "");
    expect_defaults_from(empty_file, 0);

    ScoreTable name_only = load_from("Anne");
    EXPECT_EQ(name_only.last_name, "Anne");
    expect_defaults_from(name_only, 0);

    ScoreTable five = load_from("\r\na|1\r\nb|2\r\nc|3\r\nd|4\r\ne|5\r\n");
    EXPECT_EQ(five.names[4], "e");
    EXPECT_EQ(five.results[4], 5);
    expect_defaults_from(five, 5);
    five.modified = true;
    save_scores(five);
    std::string saved = read_file(score_file_name);
    EXPECT_EQ(saved.substr(0, 27), "\r\na|1\r\nb|2\r\nc|3\r\nd|4\r\ne|5\r\n");
    EXPECT_EQ(saved.substr(27), default_file.substr(2 + 5 * 17));
}

TEST(ScoreFileLoading, TakesMalformedLinesAsTheyCome) {
    TemporaryWorkingDirectory directory;
    ScoreTable table = load_from(
        "\r\nno separator\r\nx|abc\r\n Paul | 57 \r\nbig|70000\r\nneg|-40000\r\n"
        "two|5|7\r\n\r\n|9\r\n");
    EXPECT_EQ(table.names[0], "no separator");
    EXPECT_EQ(table.results[0], 0);
    EXPECT_EQ(table.results[1], 0);
    EXPECT_EQ(table.names[2], " Paul ");
    EXPECT_EQ(table.results[2], 57);
    EXPECT_EQ(table.results[3], 4464);  // 70000 - 65536
    EXPECT_EQ(table.results[4], 25536);
    EXPECT_EQ(table.names[5], "two");
    EXPECT_EQ(table.results[5], 5);
    EXPECT_EQ(table.names[6], "");  // an empty line is an entry too
    EXPECT_EQ(table.results[6], 0);
    EXPECT_EQ(table.names[7], "");
    EXPECT_EQ(table.results[7], 9);
    expect_defaults_from(table, 8);
}

TEST(ScoreFileLoading, IgnoresLinesAfterTheThirteenthEntry) {
    TemporaryWorkingDirectory directory;
    std::string content = "last\r\n";
    for (int i = 0; i < 20; ++i) {
        content += "n" + std::to_string(i) + "|" + std::to_string(i) + "\r\n";
    }
    ScoreTable table = load_from(content);
    EXPECT_EQ(table.names[12], "n12");
    EXPECT_EQ(table.results[12], 12);
    table.modified = true;
    save_scores(table);
    std::string saved = read_file(score_file_name);
    EXPECT_EQ(saved, content.substr(0, saved.size()));
    EXPECT_EQ(saved.size(), content.find("n13|"));
}

TEST(ScoreFileLoading, ReadsHugeFilesInBoundedTime) {
    TemporaryWorkingDirectory directory;
    ScoreTable long_name = load_from(std::string(200000, 'a') + "\r\nPaul|5\r\n");
    EXPECT_EQ(long_name.last_name, std::string(64 * 1024, 'a'));
    EXPECT_EQ(long_name.names[0], "Paul");
    EXPECT_EQ(long_name.results[0], 5);

    // A line longer than all that loading ever reads: reading stops there as at the end of the
    // file, so the entry after it is not reached.
    std::string giant(4 * 1024 * 1024, 'b');
    ScoreTable endless = load_from("\r\n" + giant + "\r\nPaul|5\r\n");
    EXPECT_EQ(endless.names[0], std::string(64 * 1024, 'b'));
    expect_defaults_from(endless, 1);
}

TEST(ScoreFileLoading, OnlyRegularFilesCount) {
    TemporaryWorkingDirectory directory;
    ScoreTable table;
    std::filesystem::create_directory(score_file_name);
    load_scores(table);
    expect_defaults_from(table, 0);
#ifdef __unix__
    std::filesystem::remove(score_file_name);
    ASSERT_EQ(mkfifo(score_file_name, 0600), 0);
    load_scores(table);  // would wait forever for a writer if it opened the FIFO
    expect_defaults_from(table, 0);
#endif
}

TEST(ScoreFileSaving, RewritesALoadedFileByteForByte) {
    TemporaryWorkingDirectory directory;
    std::string content = "Ren\xE9\r\n";
    for (int i = 0; i < score_entry_count; ++i) {
        content += " Ren\xE9\x81 " + std::to_string(i) + "|" + std::to_string(i * 7 - 20) + "\r\n";
    }
    ScoreTable table = load_from(content);
    save_scores(table);  // not modified: the file is not touched
    EXPECT_EQ(read_file(score_file_name), content);
    table.modified = true;
    save_scores(table);
    EXPECT_EQ(read_file(score_file_name), content);

    ScoreTable lf_only = load_from("Anne\nPaul|5\n");
    save_scores(lf_only);
    EXPECT_EQ(read_file(score_file_name), "Anne\nPaul|5\n");
}

TEST(ScoreFileSaving, WritesTheDefaultFile) {
    TemporaryWorkingDirectory directory;
    ScoreTable table;
    reset_scores(table);
    save_scores(table);
    std::string saved = read_file(score_file_name);
    EXPECT_EQ(saved.size(), 223u);
    EXPECT_EQ(saved, default_file);
    EXPECT_FALSE(std::filesystem::exists("Scores.qelm.tmp"));
}

TEST(ScoreFileSaving, FailedSaveSaysWhyAndKeepsTheOldFile) {
    TemporaryWorkingDirectory directory;
    ScoreTable table;
    reset_scores(table);
    std::filesystem::create_directories("Scores.qelm/inside");
    EXPECT_EQ(save_scores(table), platform::FileError::not_a_regular_file);
    EXPECT_TRUE(std::filesystem::is_directory("Scores.qelm/inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1)
        << "nothing left beside it";
}

TEST(ScoreFileSaving, FilesAtTheOldTemporaryNameDoNotStandInTheWay) {
    TemporaryWorkingDirectory directory;
    write_file(score_file_name, "old\r\n");
    ScoreTable table;
    reset_scores(table);
    std::filesystem::create_directory("Scores.qelm.tmp");
    EXPECT_EQ(save_scores(table), platform::FileError::none);
    EXPECT_EQ(read_file(score_file_name), default_file);
    EXPECT_TRUE(std::filesystem::is_directory("Scores.qelm.tmp"));

    std::filesystem::remove("Scores.qelm.tmp");
    write_file("Scores.qelm.tmp", "stale");
    table.last_name = "Anne";
    EXPECT_EQ(save_scores(table), platform::FileError::none);
    EXPECT_EQ(read_file(score_file_name), "Anne" + default_file);
    EXPECT_EQ(read_file("Scores.qelm.tmp"), "stale");
}

TEST(ScoreFileSaving, TheFailureTextGivesTheReasonInWindows1252) {
    using platform::FileError;
    EXPECT_EQ(save_failure_text(FileError::none), "");
    EXPECT_EQ(save_failure_text(FileError::permission_denied),
              "Impossible d'enregistrer les scores : permission refus\xE9"
              "e");
    EXPECT_EQ(save_failure_text(FileError::not_a_regular_file),
              "Impossible d'enregistrer les scores : ce n'est pas un fichier ordinaire");
    std::set<std::string> texts;
    for (int error = 1; error <= static_cast<int>(FileError::other); ++error) {
        texts.insert(save_failure_text(static_cast<FileError>(error)));
    }
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(FileError::other)) << "one text each";
}
