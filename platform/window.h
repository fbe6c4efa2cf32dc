// Windows: classes with a window procedure, top-level windows and child controls, their state,
// focus, mouse capture, painting and the layered update that shows a whole per-pixel-alpha canvas.
//
// All of it runs on the one thread of the program. Texts shown to the user are UTF-16; class and
// property names are ASCII.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform {

struct Canvas;

// Called for every message of a window, synchronously from send_message, dispatch_message, or
// from the platform itself (msg::create inside create_window, msg::destroy inside
// destroy_window). Its result goes back to the sender.
using WindowProc = std::int32_t (*)(WindowHandle window, std::uint32_t message,
                                    std::uint32_t wparam, std::int32_t lparam);

// Window styles. The values are those of the Windows desktop.
namespace style {
inline constexpr std::uint32_t popup = 0x80000000u;
inline constexpr std::uint32_t child = 0x40000000u;
inline constexpr std::uint32_t visible = 0x10000000u;
inline constexpr std::uint32_t clip_siblings = 0x04000000u;
inline constexpr std::uint32_t clip_children = 0x02000000u;
inline constexpr std::uint32_t caption = 0x00C00000u;  // a title bar, without a close button
inline constexpr std::uint32_t tab_stop = 0x00010000u;
// Control styles, for the built-in classes below.
inline constexpr std::uint32_t static_left_no_wrap = 0x0000000Bu;
inline constexpr std::uint32_t edit_auto_hscroll = 0x00000080u;
inline constexpr std::uint32_t button_default_push = 0x00000001u;
}  // namespace style

namespace ex_style {
inline constexpr std::uint32_t topmost = 0x00000008u;
inline constexpr std::uint32_t tool_window = 0x00000080u;  // no taskbar button
inline constexpr std::uint32_t client_edge = 0x00000200u;
inline constexpr std::uint32_t layered = 0x00080000u;  // shown only through update_layered_window
}  // namespace ex_style

// Built-in classes of child controls: a one-line text, a one-line edit field and a push button.
// A push button sends its parent msg::command with wparam = its control id when it is clicked.
inline constexpr std::string_view static_class = "STATIC";
inline constexpr std::string_view edit_class = "EDIT";
inline constexpr std::string_view button_class = "BUTTON";

enum class ClassBackground : std::uint8_t {
    none,         // the window paints everything itself
    button_face,  // the system's dialog colour
};

struct WindowClass {
    std::string name;
    WindowProc procedure = nullptr;
    std::uint32_t class_style = 0;  // kept for the record; it changes nothing here
    bool arrow_cursor = false;
    ClassBackground background = ClassBackground::none;
};

// False when the name is taken or the class is incomplete.
bool register_window_class(const WindowClass& window_class);
bool window_class_exists(std::string_view name);
bool unregister_window_class(std::string_view name);

struct WindowSpec {
    std::uint32_t ex_style = 0;
    std::string class_name;
    std::u16string text;  // title of a top-level window, text of a control
    std::uint32_t style = 0;
    std::int32_t x = 0;  // screen position of a top-level window, client position of a child
    std::int32_t y = 0;
    std::int32_t width = 0;  // outer size
    std::int32_t height = 0;
    WindowHandle parent = 0;  // the owner of a top-level window; the parent of a style::child one
    std::int32_t control_id = 0;
};

// Creates the window and sends its procedure msg::create before returning. Returns 0 when the
// class is unknown, the parent is not a window, or the procedure answers msg::create with -1.
WindowHandle create_window(const WindowSpec& spec);

// Destroys the window's children and owned windows first, then sends it msg::destroy, then
// removes it. Capture, focus and timers held by a destroyed window are dropped.
bool destroy_window(WindowHandle window);
bool is_window(WindowHandle window);
WindowHandle window_parent(WindowHandle window);  // parent of a child, owner of a top-level
std::string window_class_name(WindowHandle window);

enum class ShowCommand : std::uint8_t {
    hide,
    show,
    minimize,  // iconify, where the desktop offers it; the window stays "visible"
};
bool show_window(WindowHandle window, ShowCommand command);
bool is_window_visible(WindowHandle window);
bool enable_window(WindowHandle window, bool enable);  // returns whether it was disabled
bool is_window_enabled(WindowHandle window);

// The top-level windows of this thread, in creation order.
std::vector<WindowHandle> thread_windows();

// The active top-level window, or 0 when another program is in front.
WindowHandle foreground_window();
bool set_foreground_window(WindowHandle window);
void bring_window_to_top(WindowHandle window);

// Keyboard focus. set_focus sends msg::kill_focus to the window losing it and msg::set_focus to
// the window taking it, and returns the window that had it. A disabled window cannot take it.
WindowHandle set_focus(WindowHandle window);
WindowHandle focus_window();  // 0 when no window of this thread has the focus

// While a window holds the capture it receives every mouse message, also those of positions
// outside it (coordinates are then outside its client area).
WindowHandle set_capture(WindowHandle window);
void release_capture();
WindowHandle capture_window();

Point cursor_position();  // screen coordinates
Size screen_size();       // the primary screen

// How many device pixels the screen that shows the window has for each logical pixel (2 on a
// high-density screen, 1.5 on one scaled by half); 1 when that is unknown. Positions, sizes and
// input stay in logical pixels whatever the ratio; a layered window is drawn sharply on a canvas
// of canvas_scale_for(ratio). When it changes the window gets msg::dpi_changed.
float window_pixel_ratio(WindowHandle window);

// Outer rectangle in screen coordinates.
Rect window_rect(WindowHandle window);
// Moves the window to a new screen position (top-level) or client position (child), keeping its
// size, and brings it to the top.
bool move_window(WindowHandle window, Point position);

// The window is painted (msg::paint) once the queue has nothing else for it to do.
void invalidate_window(WindowHandle window);
void begin_paint(WindowHandle window);  // validates the window
void end_paint(WindowHandle window);

struct BlendFunction {
    std::uint8_t operation = 0;  // 0: source over
    std::uint8_t flags = 0;
    std::uint8_t constant_alpha = 255;
    std::uint8_t alpha_format = 1;  // 1: the source has per-pixel alpha
};

// Shows the canvas, from source_origin and of the given size, as the whole picture of a layered
// window, with per-pixel alpha, and makes sure it is on the screen before returning. The window
// takes the picture's size. Origin and size are logical pixels: a canvas whose scale is not the
// window's pixel ratio is scaled smoothly to the screen's device pixels.
void update_layered_window(WindowHandle window, const Canvas* canvas, Size size,
                           Point source_origin, BlendFunction blend);

// Named pointers attached to a window.
bool set_window_property(WindowHandle window, std::string_view name, void* value);
void* window_property(WindowHandle window, std::string_view name);
void set_window_user_data(WindowHandle window, void* value);
void* window_user_data(WindowHandle window);

// The title of a top-level window or the text of a control (for an edit field, what it holds).
bool set_window_text(WindowHandle window, std::u16string_view text);
std::u16string window_text(WindowHandle window);

// Edit fields: select characters [start, end); start == end places the caret there.
void set_edit_selection(WindowHandle window, std::int32_t start, std::int32_t end);
// Gives a control the desktop's usual dialog font.
void set_dialog_font(WindowHandle window);

}  // namespace platform
