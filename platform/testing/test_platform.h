// The test backend of the platform layer: windows are records, the clock moves only when the
// program sleeps or waits, and everything the player would see or hear is written to a journal.
//
// Implements: platform/window.h, message_queue.h and accelerators.h (through platform/common),
// clock.h, shell.h, single_instance.h and midi.h; graphics.h comes from the Qt drawing code, shared
// with the real backend.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/types.h"
#include "platform/window.h"

namespace platform::testing {

enum class EventKind : std::uint8_t {
    layered_update,  // window; picture: a copy of the canvas pushed (when pictures are kept)
    sleep,           // value: milliseconds
    midi_open,       // value: the result given to the program
    midi_load,       // the output was asked to make its instruments ready
    midi_message,    // value: the short message
    message_box,     // window: owner; text, caption; value: type
    tray_add,        // window; value: icon id; text: tip; caption: icon resource name
    tray_delete,     // window; value: icon id
    show,            // window; value: the ShowCommand
    begin_move,      // window
};

struct CanvasDeleter {
    void operator()(Canvas* canvas) const { canvas_delete(canvas); }
};
using Picture = std::shared_ptr<Canvas>;

struct Event {
    EventKind kind{};
    std::uint32_t time = 0;
    WindowHandle window = 0;
    std::uint32_t value = 0;
    std::u16string text;
    std::u16string caption;
    Picture picture;
};

// Starts a fresh world: no window, class, timer or queued message; clock at 0; a 1024 × 768
// screen; cursor at (0, 0); no foreground window; an empty journal; default answers.
void reset();

// The clock.
std::uint32_t now();
void advance_clock(std::uint32_t milliseconds);

// The desktop.
void set_screen_size(Size size);
// The screen's device pixels per logical pixel (1 at reset). A change posts msg::dpi_changed to
// every top-level window, as moving to a screen of that ratio would.
void set_pixel_ratio(float ratio);
void set_cursor_position(Point position);
// 0 stands for another program's window in front.
void set_foreground(WindowHandle window);
void set_tray_available(bool available);

// Input, as the window system would deliver it: queued for the window under the point (or the
// one holding the capture) with the point made relative to its client area. The cursor moves
// to the point.
void mouse_move(WindowHandle window, Point client);
void mouse_down(WindowHandle window, Point client);
void mouse_up(WindowHandle window, Point client);
// A key press for the focus window: key down (with the character it types), then key up.
void key_press(WindowHandle window, std::uint32_t virtual_key, std::uint8_t character = 0);
// A held key's auto-repeat for the focus window: one more key down that says the key was down.
void key_repeat(WindowHandle window, std::uint32_t virtual_key, std::uint8_t character = 0);

// Dispatches queued messages and paints until nothing is left to do right now; timers do not
// fire. Returns false if a quit request was met (it stays consumed).
bool pump();
// Runs the message loop for the given time: queued messages, paints and timers, with the clock
// moving to each timer as it comes due. Returns false if a quit request ended it early.
bool run_for(std::uint32_t milliseconds);

// Runs whenever a message loop finds nothing to do and would wait: the user's turn to act. If
// the handler queues a message, the loop goes on at once; otherwise the clock moves on to the
// next timer, and with no timer the loop gets a quit request (it would wait for ever) and
// starved() becomes true.
void on_idle(std::function<void()> handler);
bool starved();

// The journal.
const std::vector<Event>& journal();
std::vector<Event> events_of(EventKind kind);
void clear_journal();
// Whether layered updates keep a copy of the pushed canvas (they do unless told otherwise).
void keep_pictures(bool keep);
// The last canvas pushed to the window, or null.
const Canvas* last_picture(WindowHandle window);

// Modal answers. The handler runs while the box is up (it may post or dispatch messages) and
// returns the box's result; by default the box answers OK at once.
void on_message_box(std::function<std::int32_t(const Event& box)> handler);
// Replaces what an edit field holds, as if the user had typed it.
void type_into(WindowHandle edit, std::u16string_view text);
struct EditSelection {
    std::int32_t start = 0;
    std::int32_t end = 0;
};
EditSelection edit_selection(WindowHandle edit);
bool has_dialog_font(WindowHandle window);

// The program's start: what it told the platform of itself.
const ProgramIdentity& started_identity();

// One game per folder. claim_folder answers `result` (claimed unless told otherwise);
// claimed_folder() is the folder this game holds until it releases it.
void set_folder_claim(FolderClaim result);
std::optional<std::string> claimed_folder();
// A later start in the same folder asks this game to come forward.
void ask_to_come_forward();

// MIDI: results handed to the program.
void set_midi_open_result(std::uint32_t result);
void set_midi_send_result(std::uint32_t result);

}  // namespace platform::testing
