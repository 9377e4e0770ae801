// SPDX-License-Identifier: MIT
#pragma once
// One window per user: the first start holds a lock on a file and listens on a local socket
// beside it; a later start hands its file argument to the first over the socket and ends. The
// lock is the kernel's (flock), so that it ends with its process, however that ends.

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace tally {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    enum class Role {
        First,       // this process runs the window and hears the later starts
        HandedOver,  // another process runs it and has the message: end now
        Alone,       // another holds the lock but does not answer: run without hearing others
    };

    // The lock and socket live in folder: by default the session's runtime folder, or the
    // temporary folder where there is none.
    explicit SingleInstance(const QString& folder = DefaultFolder());
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    static QString DefaultFolder();

    // message: what this start has to say, its file argument as an absolute path or empty.
    Role Claim(const QString& message);

  signals:
    void MessageReceived(const QString& message);

  private:
    bool HandOver(const QString& message) const;
    void OnNewConnection();

    QString socketPath_;
    QString lockPath_;
    int lockFd_ = -1;
    QLocalServer server_;
};

}  // namespace tally
