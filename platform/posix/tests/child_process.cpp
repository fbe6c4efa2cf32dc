// Test children: another user, a largest file size, a umask and a time limit.
#include "platform/posix/tests/child_process.h"

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t other_user = 65534;
constexpr gid_t other_group = 65534;
constexpr unsigned time_limit_seconds = 10;
constexpr int setup_failed = 200;

bool become_other_user() {
    if (geteuid() != 0) {
        return true;
    }
    return setgroups(0, nullptr) == 0 && setgid(other_group) == 0 && setuid(other_user) == 0;
}

bool take_limits(const ChildLimits& limits) {
    alarm(time_limit_seconds);
    umask(limits.umask);
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    const rlimit largest{limits.largest_file, limits.largest_file};
    if (setrlimit(RLIMIT_FSIZE, &largest) != 0) {
        return false;
    }
    return !limits.as_other_user || become_other_user();
}

}  // namespace

std::optional<platform::FileError> run_in_child(const ChildLimits& limits,
                                                const std::function<platform::FileError()>& work) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(take_limits(limits) ? static_cast<int>(work()) : setup_failed);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) > static_cast<int>(platform::FileError::other)) {
        return std::nullopt;
    }
    return static_cast<platform::FileError>(WEXITSTATUS(status));
}

void hand_to_other_user(const std::string& path) {
    if (geteuid() == 0 && chown(path.c_str(), other_user, other_group) != 0) {
        // The test that needs it then fails on its own checks.
    }
}
