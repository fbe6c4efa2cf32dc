// One game per score table on Qt: a lock file claims the folder, and a local socket beside it
// carries a later start's request to come forward. Both are named after a hash of the folder's
// canonical path, in the user's runtime folder (else the temporary folder). The socket is a plain
// Unix socket watched by Qt's event loop, which spares the game Qt's network library and the dozen
// libraries it brings (Kerberos, proxies, ...).
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSocketNotifier>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/message_queue.h"
#include "platform/single_instance.h"

namespace platform {
namespace {

constexpr std::string_view request = "come forward\n";
constexpr std::string_view answer = "ok\n";
constexpr std::size_t longest_request = 256;
constexpr std::size_t most_connections = 8;
// A start gives the game that holds the folder this long to listen and answer: that game may
// itself be starting (it listens right after taking the lock, before its window).
constexpr int answer_timeout_ms = 3000;
constexpr int attempt_pause_ms = 100;

struct Claim {
    std::unique_ptr<QLockFile> lock;
    int listener = -1;
    std::string socket_path;
    // Watches the listener; the connections' notifiers are its children.
    std::unique_ptr<QSocketNotifier> accepting;
    // The connections open, oldest first, with their notifiers.
    std::vector<std::pair<int, QSocketNotifier*>> connections;
    WindowHandle window = 0;
    std::uint32_t message = 0;
    bool request_waiting = false;
};

Claim& claim() {
    static Claim current;
    return current;
}

// $XDG_RUNTIME_DIR when it names a folder of ours, else empty.
QString runtime_folder() {
    const QString path = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isAbsolute() || !info.isDir() || info.ownerId() != getuid()) {
        return {};
    }
    return path;
}

// The runtime folder is the user's own; the temporary folder is shared, so there the user's id
// is part of the key too.
QString key_path(const QString& folder) {
    QString base = runtime_folder();
    QByteArray key = folder.toUtf8();
    if (base.isEmpty()) {
        base = QDir::tempPath();
        key += '\0' + QByteArray::number(static_cast<qulonglong>(getuid()));
    }
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return base + QStringLiteral("/vormelin-") + QString::fromLatin1(hash.left(32));
}

void come_forward() {
    Claim& current = claim();
    if (current.window == 0) {
        current.request_waiting = true;
        return;
    }
    post_message(current.window, current.message, 0, 0);
}

std::optional<sockaddr_un> socket_address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

void close_connection(int fd, QSocketNotifier* notifier) {
    notifier->setEnabled(false);
    notifier->deleteLater();
    std::erase(claim().connections, std::pair{fd, notifier});
    ::close(fd);
}

// A connection is a later start: once it has said what it wants, the window is asked to come
// forward and the start hears that it was. Anything else, or too much, closes the connection.
void serve(int fd) {
    auto* readable = new QSocketNotifier(fd, QSocketNotifier::Read, claim().accepting.get());
    claim().connections.emplace_back(fd, readable);
    auto received = std::make_shared<std::string>();
    QObject::connect(readable, &QSocketNotifier::activated, readable, [fd, readable, received] {
        char bytes[longest_request];
        const ssize_t got = ::recv(fd, bytes, sizeof bytes, MSG_DONTWAIT);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
            return;
        }
        if (got > 0) {
            received->append(bytes, static_cast<std::size_t>(got));
        }
        const std::size_t line_end = received->find('\n');
        if (line_end == std::string::npos && got > 0 && received->size() <= longest_request) {
            return;
        }
        if (line_end != std::string::npos && received->substr(0, line_end + 1) == request) {
            come_forward();
            ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        }
        close_connection(fd, readable);
    });
}

void accept_connections() {
    while (true) {
        const int fd = ::accept4(claim().listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            return;
        }
        // A start says its line at once: connections that keep silent make room for new ones
        // rather than pile up.
        if (claim().connections.size() >= most_connections) {
            const auto [oldest, notifier] = claim().connections.front();
            close_connection(oldest, notifier);
        }
        serve(fd);
    }
}

bool listen(const std::string& path) {
    const std::optional<sockaddr_un> address = socket_address(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (!address || fd < 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    // The lock is ours: a socket under this name was left by a game that died.
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        ::unlink(path.c_str());
        return false;
    }
    Claim& current = claim();
    current.listener = fd;
    current.socket_path = path;
    current.accepting = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(current.accepting.get(), &QSocketNotifier::activated, current.accepting.get(),
                     accept_connections);
    return true;
}

// Whether the socket has something to read within `timeout_ms`.
bool readable_within(int fd, int timeout_ms) {
    pollfd watched{fd, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&watched, 1, timeout_ms);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool ask_to_come_forward(const std::string& path) {
    const std::optional<sockaddr_un> address = socket_address(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (!address || fd < 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    std::string reply;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0 &&
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size())) {
        char bytes[16];
        while (reply.find('\n') == std::string::npos && reply.size() < sizeof bytes &&
               readable_within(fd, answer_timeout_ms)) {
            const ssize_t got = ::recv(fd, bytes, sizeof bytes, 0);
            if (got <= 0) {
                break;
            }
            reply.append(bytes, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    return reply == answer;
}

}  // namespace

FolderClaim claim_folder(const std::string& folder) {
    const QString canonical = QFileInfo(QString::fromStdString(folder)).canonicalFilePath();
    if (canonical.isEmpty()) {
        return FolderClaim::unavailable;
    }
    const QString base = key_path(canonical);
    auto lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    // Only a dead holder makes a lock stale, never its age: a game may run for days.
    lock->setStaleLockTime(0);
    const std::string name = QFile::encodeName(base + QStringLiteral(".socket")).toStdString();
    QElapsedTimer waited;
    waited.start();
    while (!waited.hasExpired(answer_timeout_ms)) {
        if (lock->tryLock(0)) {
            claim().lock = std::move(lock);
            // Without its socket the game still runs; later starts then find it unanswering.
            listen(name);
            return FolderClaim::claimed;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            return FolderClaim::unavailable;
        }
        if (ask_to_come_forward(name)) {
            return FolderClaim::handed_over;
        }
        usleep(attempt_pause_ms * 1000);
    }
    return FolderClaim::held_elsewhere;
}

void post_come_forward_requests(WindowHandle window, std::uint32_t message) {
    Claim& current = claim();
    current.window = window;
    current.message = message;
    if (window != 0 && current.request_waiting) {
        current.request_waiting = false;
        post_message(window, message, 0, 0);
    }
}

void release_folder() {
    Claim& current = claim();
    current.accepting.reset();  // and the connections' notifiers with it
    for (const auto& [fd, notifier] : current.connections) {
        ::close(fd);
    }
    if (current.listener >= 0) {
        ::close(current.listener);
        ::unlink(current.socket_path.c_str());
    }
    current.lock.reset();  // unlocks and removes the lock file
    current = Claim{};
}

}  // namespace platform
