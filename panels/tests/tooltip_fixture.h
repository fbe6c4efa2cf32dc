// A host window laid out like the main window, with its five tooltips and the tooltip timer, and
// a script that acts and watches while message loops (the tooltip's own included) wait.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/types.h"
#include "widgets/tests/widget_fixture.h"

// The tooltip window as seen when it appeared, moved or went (window 0).
struct Sighting {
    std::uint32_t time = 0;
    platform::WindowHandle window = 0;
    platform::Rect rect;
    friend bool operator==(const Sighting&, const Sighting&) = default;
};

void PrintTo(const Sighting& sighting, std::ostream* out);

class TooltipTest : public WidgetTest {
protected:
    void SetUp() override;

    // Probe widgets at the places of the main window's buttons (ids 1 to 5) and board (id 6), the
    // tooltips of the five buttons, the tooltip timer (first tick at 100 ms) and the focus.
    void open_main_window();
    // The action runs in the first idle moment at or after the time, inside whichever message
    // loop waits then.
    void at(std::uint32_t time, std::function<void()> action);
    // Runs the message loop until the time; a quit request must not end it.
    void run_until(std::uint32_t time);

    // Posts a mouse move onto the widget's centre, or onto a bare part of the background for 0.
    void hover(std::int32_t widget_id);
    // Where the cursor is on the screen while it hovers the widget.
    platform::Point screen_point(std::int32_t widget_id) const;
    // The pictures shown by the tooltip window, oldest first.
    std::vector<const platform::Canvas*> tooltip_pictures(platform::WindowHandle window) const;

    std::vector<Sighting> sightings;

private:
    void on_idle();
    void watch_tooltip();

    struct Scheduled {
        std::uint32_t time = 0;
        std::function<void()> action;
    };
    std::vector<Scheduled> script;
    Sighting last_seen;
};

// The texts of the main window's tooltips.
inline constexpr const char* text_fermer = "Fermer";
inline constexpr const char* text_aide = "Aide";
inline constexpr const char* text_remise = "Remise \xE0 z\xE9ro de la\nliste des scores";
