// The MIDI mapper: a send needs an open output, opening twice changes nothing, and the end of the
// program closes it. A machine without a MIDI device (Wine without a sound server) fails to open.
#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>

#include "platform/midi.h"
#include "platform/win32/shell/win32_shell.h"

namespace {

constexpr std::uint32_t note_on = 0x7F3C90;  // middle C, loudest, channel 0
constexpr std::uint32_t program_change = 0x0DC0;

TEST(Win32Midi, SendsOnlyWhileTheMapperIsOpen) {
    EXPECT_NE(platform::midi_output_send(note_on), platform::midi_no_error) << "never opened";

    const std::uint32_t opened = platform::midi_output_open();
    platform::midi_output_load();
    if (opened != platform::midi_no_error) {
        // No device: the failure is the system's reason, and nothing is sent afterwards either.
        EXPECT_EQ(midiOutGetNumDevs(), 0u) << "the mapper failed with devices there: " << opened;
        EXPECT_NE(platform::midi_output_send(program_change), platform::midi_no_error);
        EXPECT_NE(platform::midi_output_send(note_on), platform::midi_no_error);
        EXPECT_NE(platform::midi_output_open(), platform::midi_no_error) << "tries again, fails";
        return;
    }
    EXPECT_EQ(platform::midi_output_open(), platform::midi_no_error) << "open again";
    EXPECT_EQ(platform::midi_output_send(program_change), platform::midi_no_error);
    EXPECT_EQ(platform::midi_output_send(note_on), platform::midi_no_error);
    platform::win32::midi_output_close();
    EXPECT_NE(platform::midi_output_send(note_on), platform::midi_no_error) << "closed";
}

}  // namespace
