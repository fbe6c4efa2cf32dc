// MIDI notes: the messages sent, their order, and the boxes shown when the output fails.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/testing/test_platform.h"
#include "sound/midi.h"

namespace {

namespace testing = platform::testing;

std::vector<std::uint32_t> sent() {
    std::vector<std::uint32_t> messages;
    for (const auto& event : testing::events_of(testing::EventKind::midi_message)) {
        messages.push_back(event.value);
    }
    return messages;
}

std::vector<std::u16string> box_texts() {
    std::vector<std::u16string> texts;
    for (const auto& event : testing::events_of(testing::EventKind::message_box)) {
        EXPECT_EQ(event.caption, u"Probl\u00E8me");
        EXPECT_EQ(event.value, 0u);
        texts.push_back(event.text);
    }
    return texts;
}

// The game's start: open, then the instruments of channels 0, 1 and 2.
void start_up() {
    midi_open();
    midi_program(0, 13);
    midi_program(1, 11);
    midi_program(2, 55);
}

class MidiTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::reset();
        midi_forget();
    }
};

TEST_F(MidiTest, StartUpGivesTheChannelsTheirInstrumentsAndNotesStrikeOffThenOn) {
    EXPECT_FALSE(midi_ready());
    start_up();
    EXPECT_TRUE(midi_ready());
    EXPECT_EQ(testing::events_of(testing::EventKind::midi_open).size(), 1u);
    EXPECT_EQ(sent(), (std::vector<std::uint32_t>{0x0000C0, 0x000DC0, 0x000BC1, 0x0037C2}));

    testing::clear_journal();
    midi_note(0, 54, 127, 127);
    midi_note(0, 54, 127, 127);
    midi_note(2, 74, 127, 127);
    EXPECT_EQ(sent(), (std::vector<std::uint32_t>{0x7F3680, 0x7F3690, 0x7F3680, 0x7F3690, 0x7F4A82,
                                                  0x7F4A92}));
    midi_note(1, 60, 0, 100);
    EXPECT_EQ(sent().back(), 0x643C91u) << "velocities go to their own messages";
    EXPECT_EQ(sent()[sent().size() - 2], 0x003C81u);

    testing::clear_journal();
    midi_open();
    EXPECT_TRUE(testing::journal().empty()) << "a second open sends nothing";
    EXPECT_TRUE(box_texts().empty());

    midi_load();
    midi_load();
    EXPECT_EQ(testing::events_of(testing::EventKind::midi_load).size(), 1u)
        << "the instruments are made once";
}

TEST_F(MidiTest, AnOutputThatCannotBeOpenedIsReportedOnceThenSilent) {
    testing::set_midi_open_result(2);
    start_up();
    midi_load();
    midi_note(0, 54, 127, 127);
    midi_note(2, 74, 127, 127);

    EXPECT_FALSE(midi_ready());
    EXPECT_EQ(box_texts(),
              (std::vector<std::u16string>{u"Impossible d'ouvrir le p\u00E9riph\u00E9rique MIDI"}));
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(testing::events_of(testing::EventKind::midi_load).empty());
}

TEST_F(MidiTest, AnOutageIsReportedOnceAndAgainOnlyAfterAMessageWentOut) {
    testing::set_midi_send_result(67);
    start_up();
    EXPECT_TRUE(midi_ready()) << "a failed first program change leaves the output open";
    EXPECT_EQ(sent().size(), 4u) << "every message is still tried";
    EXPECT_EQ(box_texts(), (std::vector<std::u16string>{u"Erreur dans l'envoi du message MIDI"}));

    testing::clear_journal();
    midi_note(0, 54, 127, 127);
    midi_note(2, 74, 127, 127);
    EXPECT_EQ(sent().size(), 4u);
    EXPECT_TRUE(box_texts().empty()) << "the same outage goes on";

    testing::set_midi_send_result(0);
    midi_note(0, 54, 127, 127);
    EXPECT_TRUE(box_texts().empty());

    // A new outage: its first failed message is reported, right after it, and only that one.
    testing::clear_journal();
    testing::set_midi_send_result(67);
    midi_note(0, 54, 127, 127);
    const auto& journal = testing::journal();
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_EQ(journal[0].kind, testing::EventKind::midi_message);
    EXPECT_EQ(journal[1].kind, testing::EventKind::message_box);
    EXPECT_EQ(journal[2].kind, testing::EventKind::midi_message);
}

}  // namespace
