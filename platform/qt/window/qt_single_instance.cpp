// One game per score table on Qt: a lock file claims the folder, and a local socket beside it
// carries a later start's request to come forward. Both are named after a hash of the folder's
// canonical path, in the user's runtime folder (else the temporary folder).
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <unistd.h>

#include <memory>

#include "platform/message_queue.h"
#include "platform/single_instance.h"

namespace platform {
namespace {

constexpr QByteArrayView request = "come forward\n";
constexpr QByteArrayView answer = "ok\n";
// A start gives the game that holds the folder this long to listen and answer: that game may
// itself be starting (it listens right after taking the lock, before its window).
constexpr int answer_timeout_ms = 3000;
constexpr int attempt_pause_ms = 100;

struct Claim {
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QLocalServer> server;
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

// A connection is a later start: once it has said what it wants, the window is asked to come
// forward and the start hears that it was.
void serve(QLocalSocket* socket) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > 256) {
                socket->abort();
            }
            return;
        }
        if (socket->readLine() == request.toByteArray()) {
            come_forward();
            socket->write(answer.toByteArray());
            socket->flush();
        }
        socket->disconnectFromServer();
    });
}

bool listen(const QString& name) {
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is ours: a socket under this name was left by a game that died.
    QLocalServer::removeServer(name);
    if (!server->listen(name)) {
        return false;
    }
    QLocalServer* listening = server.get();
    QObject::connect(listening, &QLocalServer::newConnection, listening, [listening] {
        while (QLocalSocket* socket = listening->nextPendingConnection()) {
            serve(socket);
        }
    });
    claim().server = std::move(server);
    return true;
}

bool ask_to_come_forward(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(attempt_pause_ms)) {
        return false;
    }
    socket.write(request.toByteArray());
    if (!socket.waitForBytesWritten(answer_timeout_ms)) {
        return false;
    }
    while (!socket.canReadLine() && socket.waitForReadyRead(answer_timeout_ms)) {
    }
    return socket.canReadLine() && socket.readLine() == answer.toByteArray();
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
    const QString name = base + QStringLiteral(".socket");
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
    current.server.reset();  // closing the server removes its socket
    current.lock.reset();    // unlocks and removes the lock file
    current = Claim{};
}

}  // namespace platform
