// The folder claim on Qt: a later start's request on the claim's socket brings the game forward
// and is answered, even past silent connections; anything else is dropped unanswered; letting the
// folder go removes the socket.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/message_queue.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/window.h"

namespace platform {
namespace {

constexpr std::uint32_t come_forward_message = 0x0401;
constexpr std::uint32_t sentinel_message = 0x0402;
int come_forward_seen = 0;
bool sentinel_seen = false;

std::int32_t counting_proc(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                           std::int32_t lparam) {
    if (message == come_forward_message) {
        ++come_forward_seen;
    }
    sentinel_seen = sentinel_seen || message == sentinel_message;
    return default_window_proc(window, message, wparam, lparam);
}

int connected_to(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    QCoreApplication::processEvents();
    return fd;
}

// Sends `said` on the socket and returns what comes back before the game closes the connection,
// while the game's loop runs.
std::string talk(const std::string& path, const std::string& said) {
    const int fd = connected_to(path);
    EXPECT_EQ(::send(fd, said.data(), said.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(said.size()));
    std::string reply;
    for (int round = 0; round < 200; ++round) {
        QCoreApplication::processEvents();
        pollfd watched{fd, POLLIN, 0};
        if (::poll(&watched, 1, 10) <= 0) {
            continue;
        }
        char bytes[64];
        const ssize_t got = ::recv(fd, bytes, sizeof bytes, 0);
        if (got <= 0) {
            break;
        }
        reply.append(bytes, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return reply;
}

// Handles the messages posted so far.
void handle_posted(WindowHandle window) {
    sentinel_seen = false;
    post_message(window, sentinel_message, 0, 0);
    run_nested_loop([] { return sentinel_seen; });
}

std::filesystem::path only_socket_in(const std::filesystem::path& folder) {
    std::filesystem::path found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_socket()) {
            EXPECT_TRUE(found.empty()) << "one socket";
            found = entry.path();
        }
    }
    return found;
}

TEST(QtFolderClaimTest, TheRequestIsAnsweredAndBringsTheGameForwardAndOtherTalkIsDropped) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::filesystem::path base =
        std::filesystem::path(::testing::TempDir()) / "vormelin-claim-test";
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base / "runtime");
    std::filesystem::create_directories(base / "scores");
    std::filesystem::permissions(base / "runtime", std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (base / "runtime").c_str(), 1);
    ASSERT_TRUE(platform_start());
    register_window_class({.name = "Claiming", .procedure = counting_proc});
    const WindowHandle window =
        create_window({.class_name = "Claiming", .width = 10, .height = 10});

    ASSERT_EQ(claim_folder((base / "scores").string()), FolderClaim::claimed);
    post_come_forward_requests(window, come_forward_message);
    const std::filesystem::path socket = only_socket_in(base / "runtime");
    ASSERT_FALSE(socket.empty());
    EXPECT_EQ(std::filesystem::status(socket).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    EXPECT_EQ(talk(socket, "hello\n"), "");
    EXPECT_EQ(talk(socket, std::string(300, 'x')), "") << "too long without a line";
    handle_posted(window);
    EXPECT_EQ(come_forward_seen, 0);
    // Starts that connect and keep silent do not keep a later one from being heard.
    std::vector<int> silent;
    for (int i = 0; i < 12; ++i) {
        silent.push_back(connected_to(socket));
    }
    EXPECT_EQ(talk(socket, "come forward\n"), "ok\n");
    handle_posted(window);
    EXPECT_EQ(come_forward_seen, 1);
    for (const int fd : silent) {
        ::close(fd);
    }

    release_folder();
    EXPECT_FALSE(std::filesystem::exists(socket));
    EXPECT_TRUE(std::filesystem::is_empty(base / "runtime")) << "the lock file goes too";
    destroy_window(window);
    platform_stop();
    std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace platform
