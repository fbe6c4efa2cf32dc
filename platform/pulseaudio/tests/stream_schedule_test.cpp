// When the audio stream runs: a struck note starts it, a stretch of silence stops it, and a note
// or a sounding voice during that stretch keeps it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/pulseaudio/stream_schedule.h"

namespace platform::pulseaudio {
namespace {

constexpr SilenceRule rule{.quiet_peak = 0.001f, .frames_to_stop = 1000};
constexpr BlockLevel loud{.frames = 300, .peak = 0.5f, .sounding = true};
constexpr BlockLevel quiet_tail{.frames = 300, .peak = 0.0005f, .sounding = false};

// How many quiet blocks the running stream plays before it stops (0: it never does in 100).
int quiet_blocks_until_stop(StreamSchedule& schedule, const BlockLevel& block) {
    for (int played = 1; played <= 100; ++played) {
        if (block_played(schedule, rule, block)) {
            return played;
        }
    }
    return 0;
}

TEST(StreamScheduleTest, AStruckNoteStartsTheStreamOnceAndASilenceStopsIt) {
    StreamSchedule schedule;
    EXPECT_FALSE(block_played(schedule, rule, quiet_tail)) << "no stream, nothing to stop";
    EXPECT_TRUE(strike_note(schedule));
    EXPECT_FALSE(strike_note(schedule)) << "a second note finds the stream running";
    EXPECT_FALSE(block_played(schedule, rule, loud));
    // 1000 quiet frames in blocks of 300: the fourth block completes the stretch.
    EXPECT_EQ(quiet_blocks_until_stop(schedule, quiet_tail), 4);
    EXPECT_FALSE(schedule.running);
    EXPECT_TRUE(strike_note(schedule)) << "the next note starts a new stream";
}

TEST(StreamScheduleTest, TheTailKeepsTheStreamWhileItSoundsOrIsAudible) {
    StreamSchedule schedule;
    strike_note(schedule);
    // A voice that still sounds, however quietly, and a reverberation above the level both
    // count as sound.
    EXPECT_EQ(quiet_blocks_until_stop(schedule, {.frames = 300, .peak = 0.0f, .sounding = true}),
              0);
    EXPECT_EQ(quiet_blocks_until_stop(schedule, {.frames = 300, .peak = 0.001f}), 0);
    block_played(schedule, rule, quiet_tail);
    block_played(schedule, rule, quiet_tail);
    block_played(schedule, rule, loud);
    EXPECT_EQ(quiet_blocks_until_stop(schedule, quiet_tail), 4) << "sound starts the count anew";
}

TEST(StreamScheduleTest, ANoteStruckDuringTheTailOrALostStreamStartsTheCountAnew) {
    StreamSchedule schedule;
    strike_note(schedule);
    for (int block = 0; block < 3; ++block) {
        block_played(schedule, rule, quiet_tail);
    }
    EXPECT_FALSE(strike_note(schedule));
    EXPECT_EQ(quiet_blocks_until_stop(schedule, quiet_tail), 4);

    strike_note(schedule);
    block_played(schedule, rule, quiet_tail);
    stream_lost(schedule);
    EXPECT_FALSE(schedule.running);
    EXPECT_FALSE(block_played(schedule, rule, quiet_tail));
    EXPECT_TRUE(strike_note(schedule)) << "a note after the loss starts a new stream";
}

TEST(StreamScheduleTest, ThePeakIsTheLoudestSampleEitherWay) {
    const std::vector<float> samples{0.1f, -0.7f, 0.5f, 0.0f};
    EXPECT_FLOAT_EQ(peak_of(samples.data(), samples.size()), 0.7f);
    EXPECT_FLOAT_EQ(peak_of(samples.data(), 1), 0.1f);
    EXPECT_EQ(peak_of(samples.data(), 0), 0.0f);
}

}  // namespace
}  // namespace platform::pulseaudio
