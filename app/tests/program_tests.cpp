// Start-up and the end of the program: the order of the first steps and the ways out.
#include <gtest/gtest.h>

#include "app/host_window_run.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/tests/app_fixture.h"
#include "platform/message_queue.h"

namespace testing_platform = platform::testing;
using testing_platform::EventKind;

namespace {

using ProgramTest = AppTest;

// The player presses a key once the window is up.
void press_key_when_idle(std::uint32_t key, std::uint8_t character) {
    testing_platform::on_idle([key, character] {
        for (const platform::WindowHandle window : platform::thread_windows()) {
            if (platform::window_class_name(window) == host_window_class) {
                testing_platform::key_press(window, key, character);
                return;
            }
        }
    });
}

// The kinds of the first events of the journal, without the windows being shown.
std::vector<EventKind> first_kinds(std::size_t count) {
    std::vector<EventKind> kinds;
    for (const auto& event : testing_platform::journal()) {
        if (event.kind != EventKind::show && kinds.size() < count) {
            kinds.push_back(event.kind);
        }
    }
    return kinds;
}

TEST_F(ProgramTest, StartUpSetsTheInstrumentsThenShowsTheWindowThenMakesTheInstrumentsReady) {
    press_key_when_idle(platform::vk::escape, 27);
    EXPECT_EQ(run_program(), 0);

    EXPECT_EQ(first_kinds(7),
              (std::vector<EventKind>{EventKind::midi_open, EventKind::midi_message,
                                      EventKind::midi_message, EventKind::midi_message,
                                      EventKind::midi_message, EventKind::layered_update,
                                      EventKind::midi_load}));
    EXPECT_EQ(testing_platform::events_of(EventKind::midi_load).size(), 1u);
    const auto midi = testing_platform::events_of(EventKind::midi_message);
    ASSERT_EQ(midi.size(), 4u);
    EXPECT_EQ(midi[0].value, 0x0000C0u);
    EXPECT_EQ(midi[1].value, 0x000DC0u);
    EXPECT_EQ(midi[2].value, 0x000BC1u);
    EXPECT_EQ(midi[3].value, 0x0037C2u);
    EXPECT_FALSE(score_file_exists()) << "Escape leaves the score file alone";
    EXPECT_TRUE(platform::thread_windows().empty());
}

TEST_F(ProgramTest, WithoutMidiOneBoxBeforeTheWindowSaysSoAndTheGameGoesOnSilently) {
    testing_platform::set_midi_open_result(2);
    press_key_when_idle(platform::vk::escape, 27);
    EXPECT_EQ(run_program(), 0);
    EXPECT_EQ(first_kinds(3), (std::vector<EventKind>{EventKind::midi_open, EventKind::message_box,
                                                      EventKind::layered_update}));
    EXPECT_TRUE(testing_platform::events_of(EventKind::midi_load).empty())
        << "no instruments are made for an output that could not be opened";
    const auto boxes = testing_platform::events_of(EventKind::message_box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, u"Probl\u00e8me");
    EXPECT_EQ(boxes[0].text, u"Impossible d'ouvrir le p\u00e9riph\u00e9rique MIDI");
    EXPECT_TRUE(testing_platform::events_of(EventKind::midi_message).empty());
    EXPECT_FALSE(testing_platform::events_of(EventKind::layered_update).empty());
}

TEST_F(ProgramTest, TheCloseButtonSavesAChangedTableBeforeTheEnd) {
    int presses = 0;
    testing_platform::on_idle([&presses] {
        for (const platform::WindowHandle window : platform::thread_windows()) {
            if (platform::window_class_name(window) != host_window_class) {
                continue;
            }
            // Reset the scores, then press the close button.
            const platform::Point target =
                presses == 0 ? platform::Point{523, 482} : platform::Point{637, 487};
            testing_platform::mouse_move(window, target);
            testing_platform::mouse_down(window, target);
            testing_platform::mouse_up(window, target);
            ++presses;
            return;
        }
    });
    EXPECT_EQ(run_program(), 0);
    EXPECT_EQ(score_file().size(), 223u) << "the default table with an empty last name";
}

TEST_F(ProgramTest, AClassOrWindowThatCannotBeMadeEndsTheRunQuietly) {
    EXPECT_EQ(host_window_run(0, 700, 550, "Vormelin", "Fond", nullptr, 1), 0);
    EXPECT_TRUE(platform::thread_windows().empty());

    const auto refuse = [](platform::WindowHandle, std::uint32_t message, std::uint32_t,
                           std::int32_t) { return message == platform::msg::create ? -1 : 0; };
    EXPECT_EQ(host_window_run(0, 700, 550, "Vormelin", "Fond", refuse, 1), 0);
    EXPECT_TRUE(platform::thread_windows().empty());
    EXPECT_TRUE(testing_platform::events_of(EventKind::message_box).empty());
}

TEST_F(ProgramTest, TheWindowIsCentredEvenOnAScreenNarrowerThanIt) {
    testing_platform::set_screen_size({640, 480});
    testing_platform::on_idle([] {
        const auto windows = platform::thread_windows();
        if (!windows.empty()) {
            EXPECT_EQ(platform::window_rect(windows[0]).left, -30);
            EXPECT_EQ(platform::window_rect(windows[0]).top, -35);
            platform::post_message(windows[0], platform::msg::close, 0, 0);
        }
    });
    EXPECT_EQ(run_program(), 0);
}

}  // namespace
