// SPDX-License-Identifier: MIT
#pragma once
// One window per user: the first start holds a lock on a file and listens on a local socket
// beside it; a later start hands its file argument to the first over the socket and ends. The
// lock is the kernel's (flock), so that it ends with its process, however that ends. Both live
// in a folder only this user can reach, else another user could listen in their place and
// hear every file name. A message is its UTF-8 bytes and a NUL (a file name may hold a line
// end); one longer than kMaxMessageBytes, or not ended in time, closes its connection.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <string>

class QLocalSocket;

namespace tally {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    enum class Role {
        First,       // this process runs the window and hears the later starts
        HandedOver,  // another process runs it and has the message: end now
        Alone,       // the folder is refused, or another holds the lock but does not answer: run
                     // without hearing others
    };

    // Enough for any absolute path the system can open.
    static constexpr qsizetype kMaxMessageBytes = 4096;

    // The lock and socket live in folder: by default the session's runtime folder, or
    // tallybook-UID in the temporary folder where there is none (made with mode 0700).
    explicit SingleInstance(const QString& folder = DefaultFolder());
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    static QString DefaultFolder();

    // message: what this start has to say, its file argument as an absolute path or empty.
    Role Claim(const QString& message);
    // Why Claim gave Alone without asking another start (the folder is not this user's
    // alone); else empty.
    const std::string& Refusal() const { return refusal_; }

  signals:
    void MessageReceived(const QString& message);

  private:
    bool HandOver(const QString& message) const;
    void OnNewConnection();
    void ReadMessage(QLocalSocket& socket);

    QString folder_;
    std::string refusal_;
    QString socketPath_;
    QString lockPath_;
    int lockFd_ = -1;
    QLocalServer server_;
};

}  // namespace tally
