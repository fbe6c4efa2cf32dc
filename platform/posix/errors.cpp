// The system's error numbers as the reasons that the file service reports.
#include <cerrno>

#include "platform/posix/posix_files.h"

namespace platform::posix {

FileError error_from_errno(int error_number) {
    switch (error_number) {
        case EACCES:
        case EPERM:
            return FileError::permission_denied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:  // past the largest file this process may write
            return FileError::no_space;
        case EROFS:
            return FileError::read_only_file_system;
        case ELOOP:
            return FileError::too_many_links;
        case ENOENT:
        case ENOTDIR:
            return FileError::not_found;
        case EISDIR:
            return FileError::not_a_regular_file;
        case EIO:
            return FileError::io_error;
        default:
            return FileError::other;
    }
}

}  // namespace platform::posix
