// Rewriting an existing file in place, for a folder where no new file may be created.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/posix_files.h"

namespace platform::posix {

namespace {

// The part past the old end goes first: it is the only one that needs new space, so a full disk
// fails it while the old bytes are untouched, and the file is cut back to its old size.
FileError grow(int descriptor, std::string_view bytes, std::size_t old_size) {
    if (bytes.size() <= old_size) {
        return FileError::none;
    }
    const off_t old_end = static_cast<off_t>(old_size);
    const FileError error = write_all(descriptor, bytes.substr(old_size), old_end);
    if (error != FileError::none && ftruncate(descriptor, old_end) != 0) {
        // Shrinking needs no space; should it fail all the same, the error above stands.
    }
    return error;
}

FileError overwrite(int descriptor, std::string_view bytes) {
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        return error_from_errno(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return FileError::not_a_regular_file;
    }
    const std::size_t old_size = static_cast<std::size_t>(status.st_size);
    FileError error = grow(descriptor, bytes, old_size);
    if (error == FileError::none) {
        error = write_all(descriptor, bytes.substr(0, std::min(old_size, bytes.size())), 0);
    }
    if (error == FileError::none && ftruncate(descriptor, static_cast<off_t>(bytes.size())) != 0) {
        error = error_from_errno(errno);
    }
    return error;
}

}  // namespace

// Without O_TRUNC, so that nothing is lost before the new bytes are written, and without
// waiting should a pipe have taken the file's place meanwhile.
FileError rewrite_in_place(const std::string& path, std::string_view bytes) {
    const int descriptor = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return error_from_errno(errno);
    }
    return sync_and_close(descriptor, overwrite(descriptor, bytes));
}

}  // namespace platform::posix
