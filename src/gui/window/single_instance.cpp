// SPDX-License-Identifier: MIT
#include "window/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include "window/private_folder.h"

namespace tally {
namespace {

QString UserFile(const QString& folder, const char* suffix) {
    return QDir(folder).filePath(QString("tallybook-%1.%2").arg(getuid()).arg(suffix));
}

// A first start still setting up holds the lock before it listens: the later start waits
// this long for it to answer. A connection that brought no whole message by then is closed.
constexpr int kAnswerMilliseconds = 5000;

void Drop(QLocalSocket* socket) {
    socket->abort();
    socket->deleteLater();
}

}  // namespace

SingleInstance::SingleInstance(const QString& folder)
    : folder_(folder),
      socketPath_(UserFile(folder, "socket")),
      lockPath_(UserFile(folder, "lock")) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
}

SingleInstance::~SingleInstance() {
    if (lockFd_ >= 0) close(lockFd_);
}

QString SingleInstance::DefaultFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime;
    return QDir(QDir::tempPath()).filePath(QString("tallybook-%1").arg(getuid()));
}

SingleInstance::Role SingleInstance::Claim(const QString& message) {
    refusal_ = MakePrivateFolder(QFile::encodeName(folder_).toStdString());
    if (!refusal_.empty()) return Role::Alone;
    lockFd_ = open(QFile::encodeName(lockPath_).constData(),
                   O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    // Without a lock file (a folder not writable) each start runs alone, as before.
    if (lockFd_ < 0) return Role::Alone;
    if (flock(lockFd_, LOCK_EX | LOCK_NB) == 0) {
        // A socket left by a killed first start would refuse to be listened on.
        QLocalServer::removeServer(socketPath_);
        server_.listen(socketPath_);
        return Role::First;
    }
    return HandOver(message) ? Role::HandedOver : Role::Alone;
}

bool SingleInstance::HandOver(const QString& message) const {
    QByteArray bytes = message.toUtf8();
    // The first start would close the connection: this one opens the file itself.
    if (bytes.size() > kMaxMessageBytes) return false;
    bytes.append('\0');
    const QDeadlineTimer deadline(kAnswerMilliseconds);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(500)) {
            socket.write(bytes);
            // The first start closes the connection once it has the whole message.
            return socket.waitForBytesWritten(1000) &&
                   (socket.state() == QLocalSocket::UnconnectedState ||
                    socket.waitForDisconnected(kAnswerMilliseconds));
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        // The socket stops reading when its buffer is full: what it holds stays this small,
        // whatever is sent.
        socket->setReadBufferSize(kMaxMessageBytes + 1);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kAnswerMilliseconds, socket, [socket] { Drop(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadMessage(*socket); });
        ReadMessage(*socket);  // the message may have come with the connection
    }
}

void SingleInstance::ReadMessage(QLocalSocket& socket) {
    // Peeked, so that the socket's buffer holds the message until its end has come.
    const QByteArray pending = socket.peek(kMaxMessageBytes + 1);
    const qsizetype end = pending.indexOf('\0');
    if (end < 0) {
        if (pending.size() > kMaxMessageBytes) Drop(&socket);
        return;
    }
    socket.disconnectFromServer();
    emit MessageReceived(QString::fromUtf8(pending.first(end)));
}

}  // namespace tally
