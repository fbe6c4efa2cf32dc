// Tests of line-by-line reading and writing through the file buffer.
#include "runtime/text_file.h"

#include "runtime/tests/test_files.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> read_all_lines(const std::string& content) {
    write_file("lines.txt", content);
    std::optional<TextFile> file = open_for_reading("lines.txt");
    EXPECT_TRUE(file.has_value());
    std::vector<std::string> lines;
    while (file && !at_end_of_file(*file)) {
        lines.push_back(read_line(*file));
    }
    if (file) {
        close_file(*file);
    }
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(TextFileReading, EndsLinesAtEveryKindOfLineEnd) {
    TemporaryWorkingDirectory directory;
    EXPECT_EQ(read_all_lines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(read_all_lines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(read_all_lines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(read_all_lines(std::string("a\0b", 3)), (Lines{"a", "b"}));
    EXPECT_EQ(read_all_lines("a\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(read_all_lines("a\r\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(read_all_lines(""), Lines{});
}

TEST(TextFileReading, LastLineWithoutEndIsWhole) {
    TemporaryWorkingDirectory directory;
    write_file("last.txt", "first\r\nlast");
    std::optional<TextFile> file = open_for_reading("last.txt");
    ASSERT_TRUE(file);
    EXPECT_EQ(read_line(*file), "first");
    EXPECT_FALSE(at_end_of_file(*file));
    EXPECT_EQ(read_line(*file), "last");
    EXPECT_TRUE(at_end_of_file(*file));
    EXPECT_EQ(read_line(*file), "");
    close_file(*file);
}

TEST(TextFileReading, LinesCrossBufferBoundaries) {
    TemporaryWorkingDirectory directory;
    // A CR LF split across two buffer fills, and a line longer than the buffer.
    std::string first(text_file_buffer_size - 1, 'x');
    std::string long_line(3 * text_file_buffer_size + 5, 'y');
    EXPECT_EQ(read_all_lines(first + "\r\n" + long_line + "\r\nz"), (Lines{first, long_line, "z"}));
}

TEST(TextFileReading, StaysWithinTheGivenLimits) {
    TemporaryWorkingDirectory directory;
    write_file("long.txt", std::string(10000, 'a') + "\nnext\nlast\n");
    std::optional<TextFile> file = open_for_reading("long.txt");
    ASSERT_TRUE(file);
    file->read_allowance = 10008;
    EXPECT_EQ(read_line(*file, 100), std::string(100, 'a'));  // the rest of the line is skipped
    EXPECT_EQ(read_line(*file, 100), "next");
    EXPECT_EQ(read_line(*file), "la");  // the allowance ends the file
    EXPECT_TRUE(at_end_of_file(*file));
    close_file(*file);
}

TEST(TextFileOpening, OpensOnlyExistingRegularFiles) {
    TemporaryWorkingDirectory directory;
    EXPECT_FALSE(open_for_reading("missing.txt"));
    std::filesystem::create_directory("folder");
    EXPECT_FALSE(open_for_reading("folder"));
    EXPECT_FALSE(create_for_writing("folder"));
}

TEST(TextFileWriting, WritesLinesWithCrLf) {
    TemporaryWorkingDirectory directory;
    write_file("out.txt", "old content that is longer");
    std::optional<TextFile> file = create_for_writing("out.txt");
    ASSERT_TRUE(file);
    EXPECT_EQ(write_line(*file, ""), 2u);
    EXPECT_EQ(write_line(*file, "Anne|-3"), 9u);
    EXPECT_EQ(read_file("out.txt"), "");  // still in the buffer
    EXPECT_TRUE(close_file(*file));
    EXPECT_EQ(read_file("out.txt"), "\r\nAnne|-3\r\n");
}

TEST(TextFileWriting, KeepsOrderAcrossBufferFlushes) {
    TemporaryWorkingDirectory directory;
    std::string expected;
    std::optional<TextFile> file = create_for_writing("out.txt");
    ASSERT_TRUE(file);
    for (std::size_t length : {100u, 4000u, 4094u, 4096u, 9000u, 1u, 0u}) {
        std::string line(length, static_cast<char>('a' + length % 26));
        write_line(*file, line);
        expected += line + "\r\n";
    }
    EXPECT_TRUE(close_file(*file));
    EXPECT_EQ(read_file("out.txt"), expected);
}
