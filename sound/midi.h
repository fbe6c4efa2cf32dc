// The game's notes: short messages to a General MIDI output, opened once at start-up. Failures
// are shown to the player in a "Problème" box; the game then goes on without sound.
#pragma once

#include <cstdint>

// Opens the output and gives channel 0 program 0; does nothing once the output is ready. When
// the output cannot be opened the player is told once, and every later note and program change
// is silently dropped.
void midi_open();
// Makes the opened output's instruments ready, in the background: called once the game is on the
// screen, so that its start never waits for them. Until they are ready a note is not heard (the
// turn does not wait for it), and the programs given before take effect once they are. Does
// nothing when the output is not open, or the second time.
void midi_load();
// Sends one message: the status byte (kind and channel) and two data bytes (0-127). Nothing is
// retried. A failure is shown in a box, but only the first of a run of failures: an output
// that has lost its sound server fails every message until the server is back, and the player
// is told once, not at every note. A message sent without failure ends the run.
void midi_send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
// Strikes a note on a channel (0-15): note off with the release velocity, then note on with
// the strike velocity. The note rings until the instrument lets it fade.
void midi_note(std::uint8_t channel, std::uint8_t note, std::uint8_t release, std::uint8_t strike);
// Gives a channel (0-15) a General MIDI program (0-based).
void midi_program(std::uint8_t channel, std::uint8_t program);
// Whether the output was opened; it stays open for the rest of the process.
bool midi_ready();

// Back to the closed state without sending anything, with no failure shown yet: the fresh
// start of the program (and of each test).
void midi_forget();
