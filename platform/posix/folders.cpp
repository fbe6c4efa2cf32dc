// The program's working folder and the folders on the way to it.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/posix_files.h"

namespace platform {
namespace {

// What stands at `path` when mkdir found something there: a folder is fine, anything else is in
// the way.
FileError existing_is_folder(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return posix::error_from_errno(errno);
    }
    return S_ISDIR(status.st_mode) ? FileError::none : FileError::not_a_folder;
}

FileError make_one_folder(const std::string& path) {
    if (mkdir(path.c_str(), 0700) == 0) {
        return FileError::none;
    }
    const int error_number = errno;
    if (error_number == EEXIST) {
        return existing_is_folder(path);
    }
    // A component that is a file makes mkdir say ENOTDIR.
    return error_number == ENOTDIR ? FileError::not_a_folder
                                   : posix::error_from_errno(error_number);
}

}  // namespace

FileError make_folders(const std::string& path) {
    if (path.empty() || path.front() != '/') {
        return FileError::not_found;
    }
    // Each prefix that ends before a '/', then the whole path; "//" and a trailing '/' are
    // skipped.
    for (std::size_t end = path.find('/', 1); end != std::string::npos;
         end = path.find('/', end + 1)) {
        if (path[end - 1] == '/') {
            continue;
        }
        if (const FileError error = make_one_folder(path.substr(0, end));
            error != FileError::none) {
            return error;
        }
    }
    if (path.back() == '/') {
        return FileError::none;
    }
    return make_one_folder(path);
}

FileError enter_folder(const std::string& path) {
    if (chdir(path.c_str()) == 0) {
        return FileError::none;
    }
    const int error_number = errno;
    return error_number == ENOTDIR ? FileError::not_a_folder
                                   : posix::error_from_errno(error_number);
}

}  // namespace platform
