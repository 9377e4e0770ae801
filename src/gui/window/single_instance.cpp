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

namespace tally {
namespace {

QString UserFile(const QString& folder, const char* suffix) {
    return QDir(folder).filePath(QString("tallybook-%1.%2").arg(getuid()).arg(suffix));
}

// A first start still setting up holds the lock before it listens: the later start waits
// this long for it to answer.
constexpr int kAnswerMilliseconds = 5000;

}  // namespace

SingleInstance::SingleInstance(const QString& folder)
    : socketPath_(UserFile(folder, "socket")), lockPath_(UserFile(folder, "lock")) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
}

SingleInstance::~SingleInstance() {
    if (lockFd_ >= 0) close(lockFd_);
}

QString SingleInstance::DefaultFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QDir(runtime).exists() ? runtime : QDir::tempPath();
}

SingleInstance::Role SingleInstance::Claim(const QString& message) {
    lockFd_ = open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
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
    const QDeadlineTimer deadline(kAnswerMilliseconds);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(500)) {
            socket.write(message.toUtf8() + '\n');
            // The first start closes the connection once it has the whole line.
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
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto readMessage = [this, socket] {
            if (!socket->canReadLine()) return;
            const QString message = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->disconnectFromServer();
            emit MessageReceived(message);
        };
        connect(socket, &QLocalSocket::readyRead, this, readMessage);
        readMessage();  // the line may have come with the connection
    }
}

}  // namespace tally
