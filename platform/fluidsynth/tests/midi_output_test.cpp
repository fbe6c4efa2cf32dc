// The real MIDI output against a private sound server: a stream named after the game runs only
// while a note sounds and is heard on the sink; a server that goes away makes sends fail at
// once, and one that comes back is played on again. The synthesizer is made after the opening,
// in the background: what is sent before it is ready never fails, and its programs take effect.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/fluidsynth/midi_output.h"
#include "platform/fluidsynth/synth.h"
#include "platform/fluidsynth/synth_loader.h"
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

    // Opens the output and gives channel 0 its xylophone, as the game's start does, and waits
    // for the synthesizer that the game then makes in the background.
    void open_as_the_game() {
        ASSERT_EQ(midi_output_open(), midi_no_error);
        ASSERT_EQ(midi_output_send(0x000DC0), midi_no_error);
        midi_output_load();
        wait_for_synth_load();
        ASSERT_EQ(synth_stage(), SynthStage::ready);
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

TEST_F(MidiOutputTest, WhatIsSentBeforeTheSynthesizerIsReadyNeverFailsAndItsProgramsTakeEffect) {
    ASSERT_EQ(midi_output_open(), midi_no_error);
    EXPECT_FALSE(synth_open()) << "opening only checks that the output can sound";
    for (const std::uint32_t program : {0x0000C0u, 0x000DC0u, 0x000BC1u, 0x0037C2u}) {
        EXPECT_EQ(midi_output_send(program), midi_no_error);
    }
    EXPECT_TRUE(strike()) << "a note struck before the synthesizer is made is no failure";
    EXPECT_FALSE(pulseaudio::stream_running()) << "and it is not played";
    EXPECT_NE(midi_output_send(0x0000F0), midi_no_error) << "what it could never play fails";

    midi_output_load();
    // Sent while the synthesizer is being made, or just after: either way it is played.
    EXPECT_EQ(midi_output_send(0x000CC1), midi_no_error);
    EXPECT_TRUE(strike());
    wait_for_synth_load();
    ASSERT_EQ(synth_stage(), SynthStage::ready);
    EXPECT_EQ(channel_program(0), 13);
    EXPECT_EQ(channel_program(1), 12) << "played after the program kept before it";
    EXPECT_EQ(channel_program(2), 55);

    ASSERT_TRUE(server.start_recording());
    ASSERT_TRUE(strike());
    EXPECT_TRUE(eventually([&] { return server.recorded_peak() >= audible_peak; }))
        << "peak heard: " << server.recorded_peak();
}

TEST_F(MidiOutputTest, ASoundFontThatCannotBeLoadedFailsEveryMessageOnceItsLoadHasFailed) {
    const auto font = std::filesystem::path(::testing::TempDir()) / "not-a-sound-font.sf2";
    std::ofstream(font) << "not a sound font";
    ASSERT_EQ(open_midi_output(font.string()), midi_no_error) << "opening only finds the file";
    EXPECT_EQ(midi_output_send(0x000DC0), midi_no_error);
    midi_output_load();
    wait_for_synth_load();
    EXPECT_EQ(synth_stage(), SynthStage::failed);
    EXPECT_NE(midi_output_send(0x000DC0), midi_no_error);
    EXPECT_NE(midi_output_send(0x7F3690), midi_no_error);
    std::filesystem::remove(font);
}

TEST_F(MidiOutputTest, WithoutASoundFontOrAServerTheOutputDoesNotOpenAndMakesNoSynthesizer) {
    EXPECT_NE(open_midi_output(""), midi_no_error);
    EXPECT_FALSE(pulseaudio::output_playable()) << "the sound server is not even asked";
    server.kill();
    EXPECT_NE(midi_output_open(), midi_no_error);
    EXPECT_NE(midi_output_send(0x000DC0), midi_no_error);
    midi_output_load();
    wait_for_synth_load();
    EXPECT_EQ(synth_stage(), SynthStage::not_started);
    EXPECT_FALSE(synth_open());
    EXPECT_NE(midi_output_send(0x7F3690), midi_no_error);
}

}  // namespace
}  // namespace platform::fluidsynth
