// The help panel: creation, and its paint (sheet, border, six text lines, then its label).
#include "panels/help_panel.h"

#include <array>
#include <string_view>

#include "panels/drawing.h"
#include "panels/text_label.h"
#include "platform/messages.h"
#include "widgets/host_window_proc.h"
#include "widgets/paint_frame.h"
#include "widgets/shared_graphics.h"

namespace msg = platform::msg;

namespace {

constexpr float panel_font_size = 14.0f;
constexpr platform::Argb panel_sheet = 0xBB777777;
constexpr platform::Argb panel_border = 0xFFFFFFFF;
constexpr platform::Argb panel_ink = 0xFFFFFFFF;
constexpr std::int32_t text_indent = 10;

struct HelpLine {
    std::int32_t y;         // below the panel's top
    std::string_view text;  // Windows-1252
};

constexpr std::array<HelpLine, 6> help_lines{{
    {10, "Titre : Vormelin version 1.0"},
    {26, "Auteur : Atelier Vormelin"},
    {42, "Date : Mars 2007"},
    {58, "Syst\xE8me : Windows XP et plus"},
    {90,
     "R\xE8gle du jeu : Le joueur doit retirer tous les \xE9l\xE9ments d'un tableau en cliquant "
     "sur ceux qui forment des groupes. Un groupe est constitu\xE9 d'un minimum de deux "
     "\xE9l\xE9ments c\xF4te \xE0 c\xF4te de m\xEAme couleur. Le groupe retir\xE9 provoque la "
     "chute des \xE9l\xE9ments sup\xE9rieurs qui comble le trou et forme \xE9ventuellement de "
     "nouveaux groupes. Les \xE9l\xE9ments circulaires jaunes sont retir\xE9s automatiquement "
     "s'ils forment des groupes. L'int\xE9r\xEAt du jeu r\xE9side dans les choix successifs du "
     "groupe \xE0 retirer. Le jeu se termine quand il n'y a plus de groupe \xE0 retirer. "
     "Z\xE9ro \xE9l\xE9ment restant est le meilleur score que vous pourrez obtenir."},
    {298,
     "Clavier : les fl\xE8"
     "ches d\xE9placent le curseur, Espace ou Entr\xE9"
     "e joue le "
     "groupe."},
}};

void draw_border(const Widget& widget) {
    const std::int32_t left = widget.rect.left + 1;
    const std::int32_t top = widget.rect.top + 1;
    const std::int32_t right = widget.rect.right - 1;
    const std::int32_t bottom = widget.rect.bottom - 1;
    platform::draw_line(shared_graphics, panel_border, 2.0f, {left, top}, {right, top});
    platform::draw_line(shared_graphics, panel_border, 2.0f, {right, top}, {right, bottom});
    platform::draw_line(shared_graphics, panel_border, 2.0f, {left, bottom}, {right, bottom});
    platform::draw_line(shared_graphics, panel_border, 2.0f, {left, top}, {left, bottom});
}

void paint_help_panel(HelpPanel& panel, std::uint32_t direct, std::int32_t new_state) {
    Widget& widget = *panel.widget;
    if (new_state != 0) {
        widget.state = static_cast<std::uint8_t>(new_state);
    }
    if (panel.redraw && widget.state != widget_state::normal) {
        panel.redraw = false;
        return;
    }
    // The sheet is translucent: it lies over the board as the board was last drawn.
    paint_pending(widget, panel.redraw, direct, std::nullopt, [&] {
        platform::fill_rectangle(shared_graphics, panel_sheet, widget.x, widget.y, widget.width,
                                 widget.height);
        draw_border(widget);
        for (const HelpLine& line : help_lines) {
            draw_widget_string(widget, widget.x + text_indent, widget.y + line.y, line.text,
                               panel_ink);
        }
        if (direct != 0) {
            paint_children(widget.id);
        }
    });
}

}  // namespace

Registry<HelpPanel>& help_list() {
    static Registry<HelpPanel> list;
    return list;
}

HelpPanel* help_panel_new(std::int32_t parent_id, std::int32_t id, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height) {
    HelpPanel& panel = help_list().append();
    Widget* widget = widget_new_for(parent_id, id, widget_kind::help_panel, &panel);
    panel.widget = widget;
    give_widget_font(*widget, panel_font_size, platform::FontStyle::bold,
                     platform::StringAlignment::near);
    place_widget(*widget, x, y, width, height);
    widget->state = widget_state::hidden;
    widget->callback = help_panel_callback;
    panel.redraw = true;
    return &panel;
}

std::int32_t help_panel_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                                 std::int32_t lparam) {
    auto& panel = *static_cast<HelpPanel*>(self);
    switch (event) {
        case msg::paint:
            paint_help_panel(panel, wparam, lparam);
            break;
        case msg::destroy:
            release_widget_font(*panel.widget);
            break;
        default:
            break;
    }
    return 0;
}
