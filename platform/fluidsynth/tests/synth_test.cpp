// The synthesizer really sounds the notes the game strikes, refuses what it cannot play, and
// finds its sound font where the system keeps it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/fluidsynth/sound_font.h"
#include "platform/fluidsynth/synth.h"
#include "platform/midi.h"

namespace platform::fluidsynth {
namespace {

float peak_of_next(std::size_t frames) {
    std::vector<float> samples(frames * 2);
    render(samples.data(), frames);
    float loudest = 0.0f;
    for (const float sample : samples) {
        loudest = std::max(loudest, std::fabs(sample));
    }
    return loudest;
}

class SynthTest : public ::testing::Test {
protected:
    void TearDown() override { close_synth(); }
};

TEST_F(SynthTest, AStruckNoteOfTheGameSoundsAndThenDiesAway) {
    ASSERT_TRUE(open_synth(find_sound_font()));
    EXPECT_TRUE(play_short_message(0x000DC0));  // program 13 (xylophone) on channel 0
    EXPECT_LT(peak_of_next(4410), 1e-4f) << "nothing sounds before a note";
    EXPECT_FALSE(sounding());
    EXPECT_TRUE(play_short_message(0x7F3680));  // note off 54, as the game sends first
    EXPECT_TRUE(play_short_message(0x7F3690));  // note on 54, velocity 127
    EXPECT_TRUE(sounding());
    EXPECT_GT(peak_of_next(22050), 0.03f) << "half a second after the strike";
    for (int second = 0; second < 10 && sounding(); ++second) {
        peak_of_next(44100);
    }
    EXPECT_FALSE(sounding()) << "a xylophone note ends by itself";
}

TEST_F(SynthTest, OpeningFailsWithoutASoundFontAndSendingFailsWhenClosed) {
    EXPECT_FALSE(open_synth("/nonexistent/sound-font.sf2"));
    EXPECT_FALSE(synth_open());
    EXPECT_NE(midi_output_send(0x7F3690), midi_no_error);
    EXPECT_FALSE(sounding());
    EXPECT_LT(peak_of_next(64), 1e-9f) << "a closed synthesizer renders silence";
    ASSERT_TRUE(open_synth(find_sound_font()));
    EXPECT_FALSE(play_short_message(0xF0)) << "system messages are not played";
}

TEST_F(SynthTest, AChannelNeverGivenAProgramSoundsItsFirstNoteWithTheDefaultInstrument) {
    ASSERT_TRUE(open_synth(find_sound_font()));
    EXPECT_TRUE(play_short_message(0x7F3C93));  // note on 60 on channel 3
    EXPECT_TRUE(play_short_message(0x7F2699));  // a snare drum on channel 10, the drum kit's
    EXPECT_GT(peak_of_next(4410), 0.03f);
    EXPECT_EQ(channel_program(3), 0);
}

TEST_F(SynthTest, TheGamesLongestCascadeAndItsEndNoteCutNoNoteShort) {
    const std::string font = find_sound_font();
    if (std::filesystem::canonical(font).filename() != "TimGM6mb.sf2") {
        GTEST_SKIP() << "the voices counted are those of the system's default font, TimGM6mb";
    }
    ASSERT_TRUE(open_synth(font));
    play_short_message(0x000DC0);  // xylophone on channel 0, orchestra hit on channel 2
    play_short_message(0x0037C2);
    // Fifteen falls and close-ups, 100 ms apart, then the end of the game.
    for (int strike = 0; strike < 15; ++strike) {
        play_short_message(0x7F3680);
        play_short_message(0x7F3690);
        peak_of_next(4410);
    }
    play_short_message(0x7F4A82);
    play_short_message(0x7F4A92);
    peak_of_next(64);
    // Each note sounds on two voices and the xylophone's for 1.7 s: all of them still sound.
    EXPECT_EQ(sounding_voices(), 32);
}

TEST(SoundFontTest, TheConfiguredFontComesFirstThenTheFirstSystemFontThatExists) {
    const auto candidates = sound_font_candidates("/opt/fonts/mine.sf2");
    ASSERT_GE(candidates.size(), 3u);
    EXPECT_EQ(candidates[0], "/opt/fonts/mine.sf2");
    EXPECT_EQ(candidates[1], "/usr/share/sounds/sf2/default-GM.sf2");
    EXPECT_EQ(sound_font_candidates("")[0], "/usr/share/sounds/sf2/default-GM.sf2");

    const auto folder = std::filesystem::path(::testing::TempDir()) / "sound-font-test";
    std::filesystem::create_directories(folder / "a-folder.sf2");
    std::ofstream(folder / "second.sf2") << "font";
    std::ofstream(folder / "third.sf2") << "font";
    EXPECT_EQ(
        first_existing_file({(folder / "missing.sf2").string(), (folder / "a-folder.sf2").string(),
                             (folder / "second.sf2").string(), (folder / "third.sf2").string()}),
        (folder / "second.sf2").string());
    EXPECT_EQ(first_existing_file({(folder / "missing.sf2").string()}), "");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace platform::fluidsynth
