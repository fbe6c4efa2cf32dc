// One game per score table: the folder the table lives in is claimed by the first game started
// there, and a later start in the same folder asks that game to come forward instead of
// running a second one beside it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

enum class FolderClaim : std::uint8_t {
    // This game holds the folder; later starts there will ask it to come forward.
    claimed,
    // Another game holds the folder and has answered that it comes forward.
    handed_over,
    // Another game holds the folder and did not answer (it may be starting or hanging).
    held_elsewhere,
    // The claim could not be made at all (no folder for its lock); the game runs unguarded.
    unavailable,
};

// Claims `folder` (any path to it: the claim is made on its canonical form) for this game, or
// asks the game that holds it to come forward. Call it after platform_start, before the window.
FolderClaim claim_folder(const std::string& folder);

// From now on a request to come forward is posted to `window` as `message` (wparam and lparam
// 0); a request that came before a window was named is posted at once. Window 0 stops the
// posting.
void post_come_forward_requests(WindowHandle window, std::uint32_t message);

// Gives the folder up: the end of the game. Called before platform_stop.
void release_folder();

}  // namespace platform
