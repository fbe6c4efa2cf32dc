// The pieces of the POSIX file service (platform/files.h), shared by its files.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "platform/files.h"

namespace platform::posix {

FileError error_from_errno(int error_number);

// The folder that holds `path`: "." for a bare name.
std::string folder_of(const std::string& path);

// Where a path leads once its symbolic links are followed, and what stands there now.
struct LinkTarget {
    std::string path;
    FileError error = FileError::none;  // a link that cannot be read, a loop, a folder refused
    bool exists = false;                // false: nothing there yet, or a dangling link's end
    struct stat status {};              // when it exists: the file itself, never a link
};
LinkTarget follow_links(const std::string& path);

// Writes all the bytes at `offset` in the file, through partial writes and interruptions.
FileError write_all(int descriptor, std::string_view bytes, off_t offset);
// Forces the file's data to the disk, then closes it; the first failure, `error` included, is
// the result. The descriptor is closed in every case.
FileError sync_and_close(int descriptor, FileError error);
// Makes a rename in the folder last through a power cut.
void sync_folder(const std::string& folder);

// A new file beside `target.path` under a name nobody can guess, open for writing, with the
// permissions (and, where allowed, the owner) of the existing target. `descriptor` is -1 when
// it could not be created, and `error_number` says why.
struct TemporaryFile {
    std::string path;
    int descriptor = -1;
    int error_number = 0;
};
TemporaryFile create_temporary_beside(const LinkTarget& target);

// Writes the bytes over the existing regular file in place, for a folder that takes no new file.
FileError rewrite_in_place(const std::string& path, std::string_view bytes);

}  // namespace platform::posix
