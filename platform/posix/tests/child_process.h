// Runs part of a test in a child process, under limits that the test process must not take on
// itself: another user, a largest file size, a umask; and a time limit, so that a save that
// would wait for ever fails the test instead of stopping it.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/files.h"

struct ChildLimits {
    // The child runs as the unprivileged user 65534 when the tests run as root (who may write
    // anywhere); otherwise it stays the current user, whom permissions already bind.
    bool as_other_user = false;
    rlim_t largest_file = RLIM_INFINITY;  // writes past it fail as on a full disk
    mode_t umask = 022;
};

// The child's result, or none when it did not end by itself in time.
std::optional<platform::FileError> run_in_child(const ChildLimits& limits,
                                                const std::function<platform::FileError()>& work);

// Gives the file to the user that as_other_user runs the child as.
void hand_to_other_user(const std::string& path);
