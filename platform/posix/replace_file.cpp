// Replacing a file's contents on POSIX systems: written whole beside the file, then renamed over
// it; rewritten in place only where the folder takes no new file.
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/files.h"
#include "platform/posix/posix_files.h"

namespace platform {

namespace {

using namespace posix;

// The folder refuses new files, but the file itself may still be writable.
bool folder_refused(const TemporaryFile& temporary) {
    return temporary.error_number == EACCES || temporary.error_number == EPERM;
}

FileError write_and_rename(const TemporaryFile& temporary, const std::string& target,
                           std::string_view bytes) {
    const int descriptor = temporary.descriptor;
    FileError error = sync_and_close(descriptor, write_all(descriptor, bytes, 0));
    if (error == FileError::none && std::rename(temporary.path.c_str(), target.c_str()) != 0) {
        error = error_from_errno(errno);
    }
    if (error != FileError::none) {
        unlink(temporary.path.c_str());
        return error;
    }
    sync_folder(folder_of(target));
    return FileError::none;
}

}  // namespace

FileError replace_file_contents(const std::string& path, std::string_view bytes) {
    const LinkTarget target = follow_links(path);
    if (target.error != FileError::none) {
        return target.error;
    }
    // A directory, a pipe or a device is never replaced by a file, nor opened.
    if (target.exists && !S_ISREG(target.status.st_mode)) {
        return FileError::not_a_regular_file;
    }
    const TemporaryFile temporary = create_temporary_beside(target);
    if (temporary.descriptor >= 0) {
        return write_and_rename(temporary, target.path, bytes);
    }
    if (target.exists && folder_refused(temporary)) {
        return rewrite_in_place(target.path, bytes);
    }
    return error_from_errno(temporary.error_number);
}

}  // namespace platform
