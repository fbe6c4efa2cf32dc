// The real MIDI output against a private sound server: a stream named after the game runs only
// while a note sounds and is heard on the sink; a server that goes away makes sends fail at
// once, and one that comes back is played on again.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/fluidsynth/midi_output.h"
#include "platform/fluidsynth/synth.h"
#include "platform/midi.h"
#include "platform/pulseaudio/audio_output.h"
#include "tests/support/sound_server.h"

namespace platform::fluidsynth {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto patience = 10s;
// 16-bit samples on the sink's monitor: silence is 0, the game's notes peak in the thousands.
constexpr int audible_peak = 1000;
const std::vector<std::string> the_game{"Vormelin"};

bool eventually(const std::function<bool()>& condition) {
    const auto deadline = Clock::now() + patience;
    while (!condition()) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// The game's strike on channel 0 (note off, then note on); true when both were sent.
bool strike() {
    const bool released = midi_output_send(0x7F3680) == midi_no_error;
    return midi_output_send(0x7F3690) == midi_no_error && released;
}

class MidiOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test_support::sound_server_installed()) {
            GTEST_SKIP() << "pulseaudio is not installed";
        }
        ASSERT_TRUE(server.start());
    }
    void TearDown() override { close_midi_output(); }

    // Opens the output and gives channel 0 its xylophone, as the game's start does.
    void open_as_the_game() {
        ASSERT_EQ(midi_output_open(), midi_no_error);
        ASSERT_EQ(midi_output_send(0x000DC0), midi_no_error);
    }

    test_support::SoundServer server;
};

TEST_F(MidiOutputTest, AStreamNamedAfterTheGamePlaysTheNoteAndEndsAfterItsTail) {
    open_as_the_game();
    EXPECT_TRUE(server.playing_applications().empty()) << "no stream while nothing sounds";
    ASSERT_TRUE(server.start_recording());

    ASSERT_TRUE(strike());
    EXPECT_TRUE(eventually([&] { return server.playing_applications() == the_game; }));
    EXPECT_TRUE(eventually([&] { return server.recorded_peak() >= audible_peak; }))
        << "peak heard: " << server.recorded_peak();
    // A note struck during the tail keeps the one stream.
    ASSERT_TRUE(strike());
    EXPECT_EQ(server.playing_applications(), the_game);

    EXPECT_TRUE(eventually([] { return !pulseaudio::stream_running(); }));
    EXPECT_FALSE(sounding()) << "the stream ended before the note";
    EXPECT_TRUE(eventually([&] { return server.playing_applications().empty(); }));
}

TEST_F(MidiOutputTest, WithoutItsServerSendsFailAtOnceAndAServerBackIsPlayedOn) {
    open_as_the_game();
    ASSERT_TRUE(strike());
    server.kill();
    ASSERT_TRUE(eventually([] { return !pulseaudio::stream_running(); }));

    const auto start = Clock::now();
    EXPECT_NE(midi_output_send(0x7F3680), midi_no_error);
    EXPECT_NE(midi_output_send(0x7F3690), midi_no_error);
    EXPECT_NE(midi_output_send(0x000DC0), midi_no_error);
    EXPECT_LT(Clock::now() - start, 500ms) << "three sends to a server that has gone";
    EXPECT_FALSE(pulseaudio::stream_running());

    ASSERT_TRUE(server.start());
    ASSERT_TRUE(server.start_recording());
    // The client connects again when a note is struck; a busy machine may take longer for that
    // than the note waits, and the note is then dropped.
    EXPECT_TRUE(eventually(strike));
    EXPECT_TRUE(eventually([&] { return server.playing_applications() == the_game; }));
    EXPECT_TRUE(eventually([&] { return server.recorded_peak() >= audible_peak; }))
        << "peak heard: " << server.recorded_peak();
}

TEST_F(MidiOutputTest, AServerThatDoesNotAnswerHoldsASendOnlyMomentsUntilItAnswers) {
    open_as_the_game();
    server.kill();
    ASSERT_TRUE(server.start());
    server.freeze();

    const auto start = Clock::now();
    EXPECT_FALSE(strike());
    EXPECT_FALSE(strike()) << "the answer that is still awaited is not waited for again";
    EXPECT_LT(Clock::now() - start, 500ms);

    server.thaw();
    EXPECT_TRUE(eventually(strike));
    EXPECT_TRUE(eventually([&] { return server.playing_applications() == the_game; }));
}

TEST_F(MidiOutputTest, WithoutAServerTheOutputDoesNotOpen) {
    server.kill();
    EXPECT_NE(midi_output_open(), midi_no_error);
    EXPECT_FALSE(synth_open());
    EXPECT_NE(midi_output_send(0x7F3690), midi_no_error);
}

}  // namespace
}  // namespace platform::fluidsynth
