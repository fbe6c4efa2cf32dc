// A private PulseAudio server for the tests and benchmarks of the sound.
#include "tests/support/sound_server.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace test_support {
namespace {

using namespace std::chrono_literals;

constexpr auto answer_timeout = 15s;
constexpr auto poll_interval = 20ms;

std::vector<char*> pointers_to(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts a program with its output going to a file (or nowhere); 0 when it cannot start.
pid_t spawn(std::vector<std::string> arguments, std::vector<std::string> environment,
            const std::filesystem::path& output = "/dev/null") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const std::vector<char*> argv = pointers_to(arguments);
    const std::vector<char*> envp = pointers_to(environment);
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        pid = 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int wait_for_exit(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void end_process(pid_t& pid) {
    if (pid != 0) {
        ::kill(pid, SIGKILL);
        wait_for_exit(pid);
        pid = 0;
    }
}

bool running(pid_t pid) {
    int status = 0;
    return pid != 0 && waitpid(pid, &status, WNOHANG) == 0;
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

bool sound_server_installed() {
    for (const char* folder : {"/usr/bin/", "/usr/local/bin/", "/bin/"}) {
        if (access((std::string(folder) + "pulseaudio").c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

SoundServer::SoundServer() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vormelin-sound-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    for (const char* name : {"home", "runtime"}) {
        std::filesystem::create_directory(folder_ / name);
    }
    std::ofstream(folder_ / "client.conf") << "autospawn = no\n";
    setenv("PULSE_SERVER", ("unix:" + (folder_ / "runtime" / "native").string()).c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", (folder_ / "client.conf").c_str(), 1);
}

SoundServer::~SoundServer() {
    stop_recording();
    end_process(server_);
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

// This process's environment with a home and runtime folder in the server's folder, so that
// nothing the server or its tools keep lands elsewhere.
std::vector<std::string> SoundServer::environment() const {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        if (!text.starts_with("HOME=") && !text.starts_with("XDG_")) {
            variables.push_back(text);
        }
    }
    variables.push_back("HOME=" + (folder_ / "home").string());
    variables.push_back("XDG_RUNTIME_DIR=" + (folder_ / "runtime").string());
    variables.push_back("XDG_CONFIG_HOME=" + (folder_ / "home" / ".config").string());
    return variables;
}

bool SoundServer::answers() const {
    const pid_t pactl = spawn({"pactl", "info"}, environment());
    return pactl != 0 && wait_for_exit(pactl) == 0;
}

bool SoundServer::start() {
    end_process(server_);
    const std::string socket = (folder_ / "runtime" / "native").string();
    server_ = spawn({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                     "--disable-shm=yes", "--use-pid-file=no",
                     "--load=module-native-protocol-unix socket=" + socket + " auth-anonymous=1",
                     "--load=module-null-sink sink_name=game", "--log-target=stderr"},
                    environment());
    const auto deadline = std::chrono::steady_clock::now() + answer_timeout;
    while (running(server_) && std::chrono::steady_clock::now() < deadline) {
        if (answers()) {
            return true;
        }
        std::this_thread::sleep_for(poll_interval);
    }
    return false;
}

void SoundServer::kill() {
    end_process(server_);
}

void SoundServer::freeze() {
    ::kill(server_, SIGSTOP);
}

void SoundServer::thaw() {
    ::kill(server_, SIGCONT);
}

std::vector<std::string> SoundServer::playing_applications() const {
    const auto listing = folder_ / "sink-inputs.txt";
    const pid_t pactl = spawn({"pactl", "list", "sink-inputs"}, environment(), listing);
    if (pactl == 0 || wait_for_exit(pactl) != 0) {
        return {};
    }
    // Each stream has one line: application.name = "<name>"
    std::vector<std::string> names;
    std::ifstream file(listing);
    const std::string key = "application.name = \"";
    for (std::string line; std::getline(file, line);) {
        if (const auto start = line.find(key); start != std::string::npos) {
            names.push_back(line.substr(start + key.size(), line.rfind('"') - start - key.size()));
        }
    }
    return names;
}

bool SoundServer::start_recording() {
    stop_recording();
    const auto path = folder_ / "monitor.raw";
    recorder_ = spawn({"parec", "-d", "game.monitor", "--format=s16le", "--rate=44100",
                       "--channels=1", "--latency-msec=20"},
                      environment(), path);
    const auto deadline = std::chrono::steady_clock::now() + answer_timeout;
    while (running(recorder_) && std::chrono::steady_clock::now() < deadline) {
        std::error_code error;
        if (std::filesystem::file_size(path, error) > 0) {
            return true;
        }
        std::this_thread::sleep_for(poll_interval);
    }
    return false;
}

int SoundServer::recorded_peak() const {
    const std::string bytes = read_file(folder_ / "monitor.raw");
    int peak = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(
            static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

void SoundServer::stop_recording() {
    end_process(recorder_);
}

}  // namespace test_support
