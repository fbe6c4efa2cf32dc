// Rewriting an existing file in place, for a folder where no new file may be created.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/posix_files.h"

namespace platform::posix {

namespace {

// Claims the disk space of a file that grows before any of its bytes change, so that a full disk
// is found while the old contents are still whole. A partial claim is given back.
FileError reserve_space(int descriptor, off_t old_size, std::size_t new_size) {
    if (static_cast<off_t>(new_size) <= old_size) {
        return FileError::none;
    }
    if (fallocate(descriptor, 0, 0, static_cast<off_t>(new_size)) == 0) {
        return FileError::none;
    }
    const int error_number = errno;
    if (error_number == EOPNOTSUPP || error_number == ENOSYS) {
        return FileError::none;  // the file system cannot reserve: the writes will tell
    }
    if (ftruncate(descriptor, old_size) != 0) {
        // Shrinking back needs no space; should it fail all the same, the error below stands.
    }
    return error_from_errno(error_number);
}

FileError overwrite(int descriptor, std::string_view bytes) {
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        return error_from_errno(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return FileError::not_a_regular_file;
    }
    FileError error = reserve_space(descriptor, status.st_size, bytes.size());
    if (error == FileError::none) {
        error = write_all(descriptor, bytes);
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
