// Paths: the folder of a path, and the file that a chain of symbolic links leads to.
#include <limits.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>

#include "platform/posix/posix_files.h"

namespace platform::posix {

namespace {

// As many links as the system itself follows in one path before it gives up with ELOOP.
constexpr int most_links = 40;

std::optional<std::string> read_link(const std::string& path) {
    std::array<char, PATH_MAX> buffer{};
    const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0) {
        return std::nullopt;
    }
    if (length == 0 || static_cast<std::size_t>(length) == buffer.size()) {
        errno = length == 0 ? ENOENT : ENAMETOOLONG;
        return std::nullopt;
    }
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// A link's relative target is taken from the link's own folder.
std::string target_of(const std::string& link, const std::string& target) {
    if (target.front() == '/') {
        return target;
    }
    const std::size_t slash = link.rfind('/');
    return slash == std::string::npos ? target : link.substr(0, slash + 1) + target;
}

}  // namespace

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Followed here rather than by the system, so that the link itself stays in place and the file
// it names gets the new contents; a missing end is where the file is to be created.
LinkTarget follow_links(const std::string& path) {
    LinkTarget target{.path = path};
    for (int hop = 0; hop <= most_links; ++hop) {
        if (lstat(target.path.c_str(), &target.status) != 0) {
            target.error = errno == ENOENT ? FileError::none : error_from_errno(errno);
            return target;
        }
        if (!S_ISLNK(target.status.st_mode)) {
            target.exists = true;
            return target;
        }
        std::optional<std::string> next = read_link(target.path);
        if (!next) {
            target.error = error_from_errno(errno);
            return target;
        }
        target.path = target_of(target.path, *next);
    }
    target.error = FileError::too_many_links;
    return target;
}

}  // namespace platform::posix
