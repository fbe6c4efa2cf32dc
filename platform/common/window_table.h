// The windows of the program as records, shared by the backends that keep the window system's
// bookkeeping themselves (the Qt and the test backends). Handles are never reused.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/types.h"
#include "platform/window.h"

namespace platform::common {

enum class ControlKind : std::uint8_t { none, static_text, edit, button };

struct WindowRecord {
    WindowHandle handle = 0;
    std::string class_name;
    WindowProc procedure = nullptr;  // null for the built-in controls
    ControlKind control = ControlKind::none;
    bool child = false;       // a control inside its parent
    WindowHandle parent = 0;  // parent of a child, owner of a top-level window
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    ClassBackground background = ClassBackground::none;
    Rect rect;  // screen coordinates for a top-level window, parent client ones for a child
    std::u16string text;
    std::int32_t control_id = 0;
    bool visible = false;
    bool minimized = false;
    bool enabled = true;
    bool invalid = false;  // waiting for msg::paint
    bool destroying = false;
    std::map<std::string, void*, std::less<>> properties;
    void* user_data = nullptr;
    void* native = nullptr;  // the backend's own object for this window
};

// Null when the handle names no window.
WindowRecord* find_window(WindowHandle window);
// Every window, children included, in creation order.
std::vector<WindowHandle> all_windows();
bool is_layered(const WindowRecord& record);
// The screen position of a window's client origin.
Point client_origin(const WindowRecord& record);

// Forgets every window, class, timer, accelerator table and queued message: a fresh start.
void reset_window_system();

// Called by a backend when the window system itself changed something.
void native_focus_changed(WindowHandle window);                 // 0: the program lost the focus
void native_window_moved(WindowHandle window, Point top_left);  // the user dragged a window
void native_close_requested(WindowHandle window);               // posts msg::close

// Posts a mouse message for a position in screen coordinates to the window under it, or to the
// window holding the capture, with the position made relative to that window's client area.
void post_mouse(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                Point screen_position);
// Posts msg::key_down (with the character it types, 0 for none) or msg::key_up; an auto-repeated
// key_down carries key_state::repeated.
enum class KeyRepeat : std::uint8_t { first, repeat };
void post_key(WindowHandle window, std::uint32_t message, std::uint32_t virtual_key,
              std::uint8_t character, KeyRepeat repeat = KeyRepeat::first);

}  // namespace platform::common
