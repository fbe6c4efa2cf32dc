// One game per folder on the test backend: the claim answers what the test set, and a later
// start is a call of ask_to_come_forward.
#include "platform/message_queue.h"
#include "platform/single_instance.h"
#include "platform/testing/test_world.h"

namespace platform {

FolderClaim claim_folder(const std::string& folder) {
    testing::TestWorld& world = testing::world();
    if (world.claim_result == FolderClaim::claimed) {
        world.claimed_folder = folder;
    }
    return world.claim_result;
}

void post_come_forward_requests(WindowHandle window, std::uint32_t message) {
    testing::TestWorld& world = testing::world();
    world.come_forward_window = window;
    world.come_forward_message = message;
    if (window != 0 && world.come_forward_waiting) {
        world.come_forward_waiting = false;
        post_message(window, message, 0, 0);
    }
}

void release_folder() {
    testing::TestWorld& world = testing::world();
    world.claimed_folder.reset();
    world.come_forward_window = 0;
    world.come_forward_waiting = false;
}

namespace testing {

const ProgramIdentity& started_identity() {
    return world().identity;
}

void set_folder_claim(FolderClaim result) {
    world().claim_result = result;
}

std::optional<std::string> claimed_folder() {
    return world().claimed_folder;
}

void ask_to_come_forward() {
    TestWorld& state = world();
    if (state.come_forward_window == 0) {
        state.come_forward_waiting = true;
        return;
    }
    post_message(state.come_forward_window, state.come_forward_message, 0, 0);
}

}  // namespace testing
}  // namespace platform
