// The nested message loop, on the message queue's own calls: the same on every backend.
#include <cstdint>

#include "platform/message_queue.h"

namespace platform {

bool run_nested_loop(const std::function<bool()>& finished,
                     const std::function<bool(const Message&)>& take) {
    Message message;
    while (!finished()) {
        if (!get_message(message)) {
            // The quit request is the program's: the loop below gets it again.
            post_quit_message(static_cast<std::int32_t>(message.wparam));
            return false;
        }
        if (take && take(message)) {
            continue;
        }
        translate_message(message);
        dispatch_message(message);
    }
    return true;
}

}  // namespace platform
