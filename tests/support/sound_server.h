// A private PulseAudio server for the tests and benchmarks of the sound: a null sink named "game"
// whose monitor can be recorded, in a folder of its own, with this process's sound clients
// pointed at it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

// Whether the PulseAudio server program is installed.
bool sound_server_installed();

class SoundServer {
public:
    // Makes the folder and points this process's sound clients at the server's address
    // (PULSE_SERVER), which stays the same across restarts. No server runs yet.
    SoundServer();
    // Ends the server and the recorder and removes the folder.
    ~SoundServer();
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    // Starts the server and waits until it answers; false when it did not within 15 s.
    bool start();
    // Ends the server at once, as a crash would.
    void kill();
    // Stops the server's process and lets it go on: a server that does not answer meanwhile.
    void freeze();
    void thaw();

    // The application names of the streams that play on the sink now, one per stream.
    std::vector<std::string> playing_applications() const;

    // Records what the sink plays from now on; returns once samples flow.
    bool start_recording();
    // The loudest sample recorded so far, of 16-bit samples (0 to 32768).
    int recorded_peak() const;
    void stop_recording();

private:
    std::vector<std::string> environment() const;
    bool answers() const;

    std::filesystem::path folder_;
    pid_t server_ = 0;
    pid_t recorder_ = 0;
};

}  // namespace test_support
