// The file that new contents are written to beside the real one: a name nobody can guess,
// created exclusively, never through a link, never waiting on a pipe.
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>

#include "platform/posix/posix_files.h"

namespace platform::posix {

namespace {

constexpr std::string_view name_letters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr std::size_t random_letters = 12;  // 72 random bits
constexpr int most_attempts = 100;

std::optional<std::string> random_suffix() {
    std::array<unsigned char, random_letters> bytes{};
    ssize_t got = -1;
    do {
        got = getrandom(bytes.data(), bytes.size(), 0);
    } while (got < 0 && errno == EINTR);
    if (got != static_cast<ssize_t>(bytes.size())) {
        return std::nullopt;
    }
    std::string suffix = ".";
    for (unsigned char byte : bytes) {
        suffix += name_letters[byte % name_letters.size()];
    }
    return suffix;
}

// The owner first: changing it clears the set-id bits that the mode then sets. Owner and mode
// are the target's where allowed; a failure leaves the file its saver's, and no more open than
// the 0600 it was created with.
void copy_owner_and_mode(int descriptor, const struct stat& target) {
    if (fchown(descriptor, target.st_uid, target.st_gid) != 0) {
        // Only the superuser may give a file away; the saver keeps it.
    }
    if (fchmod(descriptor, target.st_mode & 07777) != 0) {
        // Some file systems keep no modes; the file stays 0600.
    }
}

}  // namespace

TemporaryFile create_temporary_beside(const LinkTarget& target) {
    // A new file gets 0666 less the umask, as a plain creation would. One that is to replace a
    // file starts closed to others and then takes that file's mode.
    const mode_t mode = target.exists ? 0600 : 0666;
    for (int attempt = 0; attempt < most_attempts; ++attempt) {
        std::optional<std::string> suffix = random_suffix();
        if (!suffix) {
            return {.error_number = errno};
        }
        TemporaryFile file{.path = target.path + *suffix};
        file.descriptor =
            open(file.path.c_str(),
                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
        if (file.descriptor >= 0) {
            if (target.exists) {
                copy_owner_and_mode(file.descriptor, target.status);
            }
            return file;
        }
        if (errno != EEXIST && errno != EINTR) {
            return {.error_number = errno};
        }
    }
    return {.error_number = EEXIST};
}

}  // namespace platform::posix
