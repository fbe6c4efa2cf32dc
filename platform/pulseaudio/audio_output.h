// The game's audio output on the desktop's sound server (PulseAudio, or PipeWire through its
// PulseAudio service): a client that stays connected from the opening on, and a playback stream
// that exists only while notes sound, so that an idle game costs nothing.
//
// The functions are called from one thread, the game's; the stream is fed on the client
// library's own thread, which sleeps while no stream exists.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::pulseaudio {

// What the output plays: a synthesizer's stereo samples.
struct AudioSource {
    std::uint32_t sample_rate = 44100;
    // Fills `frames` stereo frames, interleaved; called on the sound thread.
    void (*render)(float* samples, std::size_t frames) = nullptr;
    // Whether a note still sounds, even quietly; called on the sound thread.
    bool (*sounding)() = nullptr;
};

// Connects to the sound server as the application "Vormelin"; false when none answers within a
// second. Opening an open output changes nothing.
bool open_output(const AudioSource& source);
// Ends the stream and the connection; the output can be opened again.
void close_output();

// Whether the output can play now. When the server was lost, first connects to it again,
// waiting a few milliseconds at most for its answer (a server that has gone answers at once);
// each call while there is no server tries again, and nothing is tried between calls.
bool output_playable();
// A note is about to be struck: as output_playable, and when the output can play, starts the
// stream or keeps the running one from stopping, so that the note is heard to its end.
bool start_note();

// For tests and benchmarks: whether a stream exists now, and a function called on the sound
// thread each time a block that is not silence has been handed to the server (null: none).
bool stream_running();
void set_sound_handed_observer(void (*observer)());

}  // namespace platform::pulseaudio
