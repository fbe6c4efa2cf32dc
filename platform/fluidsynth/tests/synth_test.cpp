// The synthesizer really sounds the notes the game strikes, and refuses what it cannot play.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/fluidsynth/synth.h"
#include "platform/midi.h"

namespace platform::fluidsynth {
namespace {

int peak(const std::vector<std::int16_t>& samples) {
    int loudest = 0;
    for (const std::int16_t sample : samples) {
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    return loudest;
}

class SynthTest : public ::testing::Test {
protected:
    void TearDown() override { close_synth(); }
};

TEST_F(SynthTest, AStruckNoteOfTheGameIsAudibleAndSilenceBeforeIt) {
    ASSERT_TRUE(open_synth(Output::none));
    EXPECT_TRUE(play_short_message(0x0D00C0));  // program 13 on channel 0
    EXPECT_LT(peak(render(4410)), 8) << "nothing sounds before a note";
    EXPECT_TRUE(play_short_message(0x7F3680));  // note off 54, as the game sends first
    EXPECT_TRUE(play_short_message(0x7F3690));  // note on 54, velocity 127
    EXPECT_GT(peak(render(22050)), 1000) << "half a second after the strike";
}

TEST_F(SynthTest, OpeningFailsWithoutASoundFontAndSendingFailsWhenClosed) {
    EXPECT_FALSE(open_synth(Output::none, "/nonexistent/sound-font.sf2"));
    EXPECT_FALSE(synth_open());
    EXPECT_NE(midi_output_send(0x7F3690), midi_no_error);
    ASSERT_TRUE(open_synth(Output::none));
    EXPECT_FALSE(play_short_message(0xF0)) << "system messages are not played";
}

}  // namespace
}  // namespace platform::fluidsynth
