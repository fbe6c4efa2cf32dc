// Files of the operating system: replacing a file's contents so that it is never left half
// written, and the folder the program works in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Why a file could not be written.
enum class FileError : std::uint8_t {
    none,
    permission_denied,
    no_space,  // on the disk, in the user's quota, or in the largest file allowed
    read_only_file_system,
    too_many_links,  // a chain of symbolic links that is too long or loops
    not_found,       // a folder on the way is missing
    // A directory, a pipe or a device stands where the file should be.
    not_a_regular_file,
    not_a_folder,  // a file stands where a folder should be
    io_error,
    other,
};

// Replaces the contents of the file at `path` with `bytes`, creating it if it does not exist.
// The new contents are written beside the file and put in its place once they are safely on the
// disk, so that a failure leaves the old file whole; only a folder that takes no new file makes
// it rewrite an existing file in place. The file keeps its permissions; a symbolic link stays a
// link and the file it points at is written. Never blocks on a pipe and never follows a link
// that someone else put beside the file.
FileError replace_file_contents(const std::string& path, std::string_view bytes);

// Creates the folder at the absolute `path` with the folders missing on the way to it, each new
// one readable by its owner alone (mode 0700); folders that exist are left as they are. Returns
// why the last step failed: a file in the way is not_a_folder.
FileError make_folders(const std::string& path);
// Makes `path` the working folder of the program.
FileError enter_folder(const std::string& path);

}  // namespace platform
