// MIDI output to a General MIDI synthesizer.
#pragma once

#include <cstdint>

namespace platform {

// Results: 0 means success, any other value is an error.
inline constexpr std::uint32_t midi_no_error = 0;

// Opens the output; 0 on success. Opening an open output again succeeds and changes nothing.
// Opening is quick: it checks only that the output can sound at all. Its instruments are made
// ready afterwards by midi_output_load.
std::uint32_t midi_output_open();

// Makes the instruments of an open output ready, in the background, and returns at once; does
// nothing the second time or when the output is not open. Until they are ready, a note sent is
// dropped without failure (it would sound late), and a program change or another message that
// sets the output up is kept and takes effect once they are ready, in the order sent. When they
// cannot be made, every message fails.
void midi_output_load();

// Sends one short message: status byte (kind and channel) in bits 0-7, first data byte in bits
// 8-15, second data byte in bits 16-23. Note off, note on and program change are played;
// 0 on success. An open output that cannot play for a while (the real one: while its sound
// server is gone) fails every message until it can again; each send tries again, quickly.
std::uint32_t midi_output_send(std::uint32_t short_message);

}  // namespace platform
