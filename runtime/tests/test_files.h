// Test helpers for tests that touch files: a fresh working directory, and whole-file reads and
// writes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

// Runs a test inside a fresh, empty working directory that is removed afterwards.
class TemporaryWorkingDirectory {
public:
    TemporaryWorkingDirectory() : previous_(std::filesystem::current_path()) {
        std::random_device random;
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("vormelin-test-" + std::to_string(random()) + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
        std::filesystem::current_path(path_);
    }
    ~TemporaryWorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        // Make everything removable again, in case a test took write access away.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryWorkingDirectory(const TemporaryWorkingDirectory&) = delete;
    TemporaryWorkingDirectory& operator=(const TemporaryWorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

inline void write_file(const std::string& name, const std::string& content) {
    std::ofstream(name, std::ios::binary) << content;
}

inline std::string read_file(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
