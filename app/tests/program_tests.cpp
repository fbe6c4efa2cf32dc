// Start-up and the end of the program: the order of the first steps and the ways out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/host_window_run.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/tests/app_fixture.h"
#include "platform/message_queue.h"
#include "platform/single_instance.h"

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

// Resets the scores, then presses the close button: the table is written on the way out.
void reset_then_close_when_idle() {
    testing_platform::on_idle([presses = 0]() mutable {
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
}

TEST_F(ProgramTest, TheCloseButtonSavesAChangedTableBeforeTheEnd) {
    reset_then_close_when_idle();
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

// Sets an environment variable for the test's duration.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(ProgramTest, TheGameHoldsItsFolderWhileItRunsAndTellsTheDesktopWhoItIs) {
    std::optional<std::string> held;
    testing_platform::on_idle([&held] {
        held = testing_platform::claimed_folder();
        platform::post_message(platform::thread_windows().at(0), platform::msg::close, 0, 0);
    });
    EXPECT_EQ(run_program(), 0);
    EXPECT_EQ(held, ".") << "the working folder, where the score table lives";
    EXPECT_EQ(testing_platform::claimed_folder(), std::nullopt) << "given up at the end";
    EXPECT_EQ(testing_platform::started_identity().desktop_id, VORMELIN_APP_ID);
    EXPECT_EQ(testing_platform::started_identity().icon_resource, "SYSTRAY");
}

TEST_F(ProgramTest, AFolderHeldByAnotherGameEndsTheStartBeforeAnythingShows) {
    testing_platform::set_folder_claim(platform::FolderClaim::handed_over);
    EXPECT_EQ(run_program(), 0) << "the other game came forward";
    EXPECT_TRUE(testing_platform::journal().empty());

    testing_platform::set_folder_claim(platform::FolderClaim::held_elsewhere);
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_program(), 1) << "the other game did not answer: no success";
    EXPECT_NE(testing::internal::GetCapturedStderr().find("does not answer"), std::string::npos);
    EXPECT_TRUE(testing_platform::journal().empty());
    EXPECT_TRUE(platform::thread_windows().empty());
}

TEST_F(ProgramTest, AClaimThatCannotBeMadeLetsTheGamePlay) {
    testing_platform::set_folder_claim(platform::FolderClaim::unavailable);
    press_key_when_idle(platform::vk::escape, 27);
    EXPECT_EQ(run_program(), 0);
    EXPECT_FALSE(testing_platform::events_of(EventKind::layered_update).empty());
}

TEST_F(ProgramTest, FromTheMenuTheTableIsSavedInTheDataFolder) {
    const std::filesystem::path start = std::filesystem::current_path();
    const ScopedVariable data("XDG_DATA_HOME", (start / "data").string());
    reset_then_close_when_idle();
    CommandLine line;
    line.from_menu = true;
    EXPECT_EQ(run_program(line), 0);
    EXPECT_TRUE(testing_platform::events_of(EventKind::message_box).empty());
    EXPECT_EQ(std::filesystem::file_size(start / "data" / "vormelin" / "Scores.qelm"), 223u);
    EXPECT_FALSE(std::filesystem::exists(start / "Scores.qelm"));
    std::filesystem::current_path(start);
}

TEST_F(ProgramTest, FromTheMenuAFolderThatCannotBeMadeIsToldAndTheGamePlaysWhereItStarted) {
    const std::filesystem::path start = std::filesystem::current_path();
    std::ofstream(start / "data") << "a file where the folder should be";
    const ScopedVariable data("XDG_DATA_HOME", (start / "data").string());
    reset_then_close_when_idle();
    CommandLine line;
    line.from_menu = true;
    EXPECT_EQ(run_program(line), 0);
    EXPECT_EQ(first_kinds(3), (std::vector<EventKind>{EventKind::message_box, EventKind::midi_open,
                                                      EventKind::midi_message}));
    const auto boxes = testing_platform::events_of(EventKind::message_box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, u"Probl\u00e8me");
    EXPECT_EQ(boxes[0].text, u"Impossible de cr\u00e9er le dossier des scores " +
                                 (start / "data").u16string() +
                                 u"/vormelin : un fichier est \u00e0 la place d'un dossier");
    EXPECT_EQ(std::filesystem::current_path(), start);
    EXPECT_EQ(score_file().size(), 223u) << "saved where the game was started";
}

}  // namespace
