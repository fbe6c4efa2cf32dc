// MIDI output to a General MIDI synthesizer.
#pragma once

#include <cstdint>

namespace platform {

// Results: 0 means success, any other value is an error.
inline constexpr std::uint32_t midi_no_error = 0;

// Opens the output; 0 on success. Opening an open output again succeeds and changes nothing.
std::uint32_t midi_output_open();

// Sends one short message: status byte (kind and channel) in bits 0-7, first data byte in bits
// 8-15, second data byte in bits 16-23. Note off, note on and program change are played;
// 0 on success. An open output that cannot play for a while (the real one: while its sound
// server is gone) fails every message until it can again; each send tries again, quickly.
std::uint32_t midi_output_send(std::uint32_t short_message);

}  // namespace platform
