// The records of the widget framework: one Widget per windowless rectangle of the host window,
// one HostWindow per host window, and the registries that hold them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/graphics.h"
#include "platform/types.h"
#include "platform/window.h"
#include "widgets/registry.h"

struct HostWindow;

// Called with the widget's kind record, an event number (a message number) and two values. The
// framework ignores the result.
using WidgetCallback = std::int32_t (*)(void* self, std::uint32_t event, std::uint32_t wparam,
                                        std::int32_t lparam);

namespace widget_kind {
inline constexpr std::int32_t label = 1;
inline constexpr std::int32_t picture_button = 2;
inline constexpr std::int32_t board = 14;
inline constexpr std::int32_t help_panel = 15;
}  // namespace widget_kind

namespace widget_state {
inline constexpr std::uint8_t normal = 1;
inline constexpr std::uint8_t hovered = 2;
inline constexpr std::uint8_t pressed = 3;
inline constexpr std::uint8_t hidden = 4;
}  // namespace widget_state

struct Widget {
    platform::WindowHandle host_hwnd = 0;
    HostWindow* host = nullptr;  // filled at the widget's first paint
    void* self = nullptr;        // the kind record
    std::int32_t parent_id = 0;  // 0: the host window itself
    std::int32_t id = 0;
    std::int32_t kind = 0;
    std::string text;  // Windows-1252
    platform::FontFamily* font_family = nullptr;
    platform::Font* font = nullptr;
    std::int32_t font_size = 0;
    platform::StringFormat* string_format = nullptr;
    std::uint8_t tab_stop = 0;
    std::uint8_t state = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    platform::Rect rect;
    WidgetCallback callback = nullptr;
};

struct HostWindow {
    platform::WindowHandle hwnd = 0;
    std::int32_t id = 0;
    // Made at the first paint, at the scale of the screen's pixel ratio, and made again when
    // that ratio changes.
    platform::Canvas* canvas = nullptr;
    // The background picture a new canvas is drawn from: read by `read_picture` from the
    // resource named (and let go once drawn, for the pattern holds its pixels), or an image given
    // as it is. The pattern is made from the clean canvas; any rectangle of the canvas is erased
    // with it.
    std::string_view background_resource;
    platform::Image* (*read_picture)(std::string_view name) = nullptr;
    platform::Image* background_image = nullptr;
    platform::Pattern* background = nullptr;
    // Called after each mouse move the host has handled (the tooltip timer's wake-up), or null.
    void (*pointer_moved)(platform::WindowHandle hwnd) = nullptr;
    std::int32_t focus_id = 0;
    void* focus_self = nullptr;
    WidgetCallback focus_callback = nullptr;
    std::int32_t x = 0;
    std::int32_t y = 0;
    platform::Size size;
    platform::Rect drag_guard;
    platform::Point src_origin;
    platform::BlendFunction blend;
    std::uint8_t compose = 0;
    std::int32_t hover_kind = 0;
    std::int32_t hover_id = 0;
    void* hover_self = nullptr;
    WidgetCallback hover_callback = nullptr;
    const platform::Rect* hover_rect = nullptr;
};

// The window property under which a host window keeps its HostWindow.
inline constexpr const char* host_property = "objet";

Registry<HostWindow>& host_list();
Registry<Widget>& widget_list();

// Remembers the host window that widget_new stamps into new widgets.
void set_current_host(platform::WindowHandle host);
// Appends a zero-filled Widget belonging to the current host.
Widget* widget_new();
// Appends a Widget of the current host already tied to its parent, id, kind and kind record.
Widget* widget_new_for(std::int32_t parent_id, std::int32_t id, std::int32_t kind, void* self);
// Sets the widget's position and size, and its rectangle from them.
void place_widget(Widget& widget, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height);
// The state of the first widget with the id, or 0 when there is none.
std::int32_t widget_state_of(std::int32_t id);
// The first widget with the id, or null.
Widget* find_widget(std::int32_t id);
// The HostWindow attached to a host window, or null.
HostWindow* host_of(platform::WindowHandle window);

// Empties the registries and forgets the current host: a fresh start.
void reset_widgets();
