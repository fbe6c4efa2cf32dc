// A text file read or written line by line through one 4096-byte buffer.
#include "runtime/text_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr int end_of_file = -1;

std::optional<TextFile> open_stream(const std::string& name, const char* mode) {
    std::FILE* handle = std::fopen(name.c_str(), mode);
    if (handle == nullptr) {
        return std::nullopt;
    }
    std::setvbuf(handle, nullptr, _IONBF, 0);
    std::optional<TextFile> file(std::in_place);
    file->handle.reset(handle);
    return file;
}

// Refills the buffer when it is used up. Read failures look like the end of the file.
bool fill_buffer(TextFile& file) {
    if (file.consumed < file.filled) {
        return true;
    }
    std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(file.buffer.size(), file.read_allowance));
    file.filled = wanted == 0 ? 0 : std::fread(file.buffer.data(), 1, wanted, file.handle.get());
    file.consumed = 0;
    file.read_allowance -= file.filled;
    return file.filled > 0;
}

int peek_byte(TextFile& file) {
    if (!fill_buffer(file)) {
        return end_of_file;
    }
    return static_cast<unsigned char>(file.buffer[file.consumed]);
}

int take_byte(TextFile& file) {
    int byte = peek_byte(file);
    if (byte != end_of_file) {
        ++file.consumed;
    }
    return byte;
}

void write_to_file(TextFile& file, const char* data, std::size_t size) {
    if (size > 0 && std::fwrite(data, 1, size, file.handle.get()) != size) {
        file.write_failed = true;
    }
}

void flush_buffer(TextFile& file) {
    write_to_file(file, file.buffer.data(), file.pending);
    file.pending = 0;
}

void write_bytes(TextFile& file, std::string_view data) {
    if (data.size() >= file.buffer.size() - file.pending) {
        flush_buffer(file);
    }
    if (data.size() >= file.buffer.size()) {
        write_to_file(file, data.data(), data.size());
        return;
    }
    std::copy(data.begin(), data.end(), file.buffer.begin() + file.pending);
    file.pending += data.size();
}

}  // namespace

std::optional<TextFile> open_for_reading(const std::string& name) {
    // Checked before opening: opening a FIFO for reading would wait for a writer.
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error)) {
        return std::nullopt;
    }
    return open_stream(name, "rb");
}

std::optional<TextFile> create_for_writing(const std::string& name) {
    return open_stream(name, "wb");
}

std::string read_line(TextFile& file, std::size_t max_length) {
    std::string line;
    for (;;) {
        int byte = take_byte(file);
        if (byte == end_of_file || byte == '\n' || byte == '\0') {
            return line;
        }
        if (byte == '\r') {
            if (peek_byte(file) == '\n') {
                take_byte(file);
            }
            return line;
        }
        if (line.size() < max_length) {
            line.push_back(static_cast<char>(byte));
        }
    }
}

bool at_end_of_file(TextFile& file) {
    return peek_byte(file) == end_of_file;
}

std::size_t write_line(TextFile& file, std::string_view text) {
    write_bytes(file, text);
    write_bytes(file, "\r\n");
    return text.size() + 2;
}

bool close_file(TextFile& file) {
    if (!file.handle) {
        return false;
    }
    flush_buffer(file);
    bool closed = std::fclose(file.handle.release()) == 0;
    return closed && !file.write_failed;
}
