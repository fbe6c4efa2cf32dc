// MIDI notes over the platform's output.
#include "sound/midi.h"

#include <cassert>

#include "platform/midi.h"
#include "platform/shell.h"
#include "runtime/dialogs.h"

namespace {

constexpr std::uint8_t note_off = 0x80;
constexpr std::uint8_t note_on = 0x90;
constexpr std::uint8_t program_change = 0xC0;

// Windows-1252 texts of the failure boxes.
constexpr const char* problem_caption = "Probl\xE8me";
constexpr const char* cannot_open_text = "Impossible d'ouvrir le p\xE9riph\xE9rique MIDI";
constexpr const char* send_failed_text = "Erreur dans l'envoi du message MIDI";

bool& ready_flag() {
    static bool ready = false;
    return ready;
}

bool& load_asked_flag() {
    static bool load_asked = false;
    return load_asked;
}

// Whether the failure of the last message sent was shown; cleared by a message that went out.
bool& failure_shown_flag() {
    static bool failure_shown = false;
    return failure_shown;
}

void report_send_failure() {
    if (failure_shown_flag()) {
        return;
    }
    // Set before the box: its loop may let a note be struck meanwhile.
    failure_shown_flag() = true;
    show_message_box(problem_caption, send_failed_text, platform::message_box_ok);
}

}  // namespace

void midi_open() {
    if (ready_flag()) {
        return;
    }
    if (platform::midi_output_open() != platform::midi_no_error) {
        show_message_box(problem_caption, cannot_open_text, platform::message_box_ok);
        return;
    }
    midi_send(program_change, 0, 0);
    ready_flag() = true;
}

void midi_load() {
    if (!ready_flag() || load_asked_flag()) {
        return;
    }
    load_asked_flag() = true;
    platform::midi_output_load();
}

void midi_send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    // A data byte with its top bit set would read as the status of another message.
    assert(data1 < 0x80 && data2 < 0x80 && "MIDI data bytes are 0-127");
    const std::uint32_t message =
        status | (std::uint32_t{data1} << 8) | (std::uint32_t{data2} << 16);
    if (platform::midi_output_send(message) == platform::midi_no_error) {
        failure_shown_flag() = false;
        return;
    }
    report_send_failure();
}

void midi_note(std::uint8_t channel, std::uint8_t note, std::uint8_t release, std::uint8_t strike) {
    assert(channel < 16 && "MIDI channels are 0-15");
    if (!ready_flag()) {
        return;
    }
    midi_send(note_off | channel, note, release);
    midi_send(note_on | channel, note, strike);
}

void midi_program(std::uint8_t channel, std::uint8_t program) {
    assert(channel < 16 && "MIDI channels are 0-15");
    if (!ready_flag()) {
        return;
    }
    midi_send(program_change | channel, program, 0);
}

bool midi_ready() {
    return ready_flag();
}

void midi_forget() {
    ready_flag() = false;
    load_asked_flag() = false;
    failure_shown_flag() = false;
}
