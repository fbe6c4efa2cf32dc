// A text file read or written line by line through one 4096-byte buffer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::size_t text_file_buffer_size = 4096;
inline constexpr std::size_t no_line_limit = std::numeric_limits<std::size_t>::max();

struct FileCloser {
    void operator()(std::FILE* handle) const { std::fclose(handle); }
};

// One open file and its buffer. A TextFile is either read or written, never both. The stream's
// own buffering is off, so `buffer` is the only one.
struct TextFile {
    std::unique_ptr<std::FILE, FileCloser> handle;
    std::array<char, text_file_buffer_size> buffer{};
    // Reading: bytes filled by the last read of the file, and how many of them were consumed.
    std::size_t filled = 0;
    std::size_t consumed = 0;
    // Reading: bytes the reader may still take from the file; past them it sees the end of the
    // file. Unlimited unless the caller sets it.
    std::uint64_t read_allowance = std::numeric_limits<std::uint64_t>::max();
    // Writing: bytes waiting in the buffer, and whether any write to the file has failed.
    std::size_t pending = 0;
    bool write_failed = false;
};

// Opens an existing regular file. Anything else (missing, a directory, a FIFO, a device) gives
// none, so that opening never blocks.
std::optional<TextFile> open_for_reading(const std::string& name);

// Creates the file, or empties it when it exists.
std::optional<TextFile> create_for_writing(const std::string& name);

// The next line without its end. A line ends at LF, CR, CR LF, a zero byte or the end of the file;
// at the end of the file the line is empty. Bytes after the first `max_length` of a line are
// consumed and dropped.
std::string read_line(TextFile& file, std::size_t max_length = no_line_limit);

// True when no byte is left to read.
bool at_end_of_file(TextFile& file);

// Appends `text` and CR LF; returns the number of bytes taken. Failures show in `write_failed`.
std::size_t write_line(TextFile& file, std::string_view text);

// Writes out what is buffered and closes the file. Returns true when every write and the close
// succeeded; callers that do not care may ignore it.
bool close_file(TextFile& file);
