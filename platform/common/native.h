// What a backend built on the common window bookkeeping supplies: the real windows behind the
// records, the desktop's state, and waiting for input. Each backend defines these functions
// (platform/qt, platform/testing); the common code calls them, never the other way round, except
// through the native_* and post_* functions of window_table.h.
//
// None of them may call a window procedure: input found while waiting is posted to the queue.
#pragma once

#include <cstdint>
#include <string>

#include "platform/common/window_table.h"
#include "platform/types.h"
#include "platform/window.h"

namespace platform::native {

// The record exists and has its handle, class, styles, rectangle, text and parent; the window is
// not shown yet.
void window_created(common::WindowRecord& record);
// The record is about to be forgotten; its children and owned windows are already gone.
void window_destroyed(common::WindowRecord& record);
void window_shown(common::WindowRecord& record, ShowCommand command);
void window_enabled(common::WindowRecord& record);
void window_moved(common::WindowRecord& record);
void window_text_changed(common::WindowRecord& record);

// Edit fields hold what the user types.
std::u16string edit_text(const common::WindowRecord& record);
void edit_selection(common::WindowRecord& record, std::int32_t start, std::int32_t end);
void dialog_font(common::WindowRecord& record);

// The common code has moved the keyboard focus to this window (0: none of ours).
void focus_moved(WindowHandle window);
WindowHandle foreground_window();
bool set_foreground(common::WindowRecord& record);
void bring_to_top(common::WindowRecord& record);

Point cursor_position();
Size screen_size();
float pixel_ratio(const common::WindowRecord& record);

void layered_update(common::WindowRecord& record, const Canvas* canvas, Size size,
                    Point source_origin, BlendFunction blend);
// The user pressed the left button on the window's caption: let the window follow the mouse
// until the button is released.
void begin_move(common::WindowRecord& record);

inline constexpr std::uint32_t wait_forever = 0xFFFFFFFFu;
// Waits until input may have been posted, or the timeout (milliseconds) has passed.
void wait_for_events(std::uint32_t timeout_ms);

}  // namespace platform::native
