// SPDX-License-Identifier: MIT
// One window per user: a later start hands its file to the first and ends; a killed first
// start leaves nothing that blocks the next; the window opens the file handed to it and
// comes up from its minimised state.

#include <gtest/gtest.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <functional>

#include "window/single_instance.h"
#include "window_harness.h"

namespace tally::test {
namespace {

// The desktop program, headless, with its own settings and runtime folder.
void StartProgram(QProcess& process, const TempDir& home, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", QString::fromStdString(home.Path().string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.File("config")));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.Path().string()));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(home.Path().string()));
    process.start(TALLYBOOK_PATH, arguments);
    ASSERT_TRUE(process.waitForStarted());
}

// Runs the event loop (the first start's socket answers on it) until the condition holds.
bool EventsUntil(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(20000);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return condition();
}

TEST(SingleInstanceTest, aLaterStartHandsItsFileToTheFirstAndEnds) {
    TempDir home;
    SingleInstance first(QString::fromStdString(home.Path().string()));
    ASSERT_EQ(first.Claim(QString()), SingleInstance::Role::First);
    QSignalSpy messages(&first, &SingleInstance::MessageReceived);

    QProcess later;
    StartProgram(later, home, {"doc.dat"});
    ASSERT_TRUE(EventsUntil([&] { return later.state() == QProcess::NotRunning; }));
    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), 0) << later.readAllStandardError().toStdString();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0][0].toString(), QString::fromStdString(home.File("doc.dat")));
}

TEST(SingleInstanceTest, aKilledFirstStartBlocksNoLaterOne) {
    TempDir home;
    // The socket is made once the lock is held.
    const QString socket = QString::fromStdString(home.Path().string()) + "/tallybook-" +
                           QString::number(getuid()) + ".socket";
    QProcess killed;
    StartProgram(killed, home, {});
    ASSERT_TRUE(EventsUntil([&] { return QFileInfo::exists(socket); }));
    killed.kill();
    killed.waitForFinished();

    SingleInstance next(QString::fromStdString(home.Path().string()));
    EXPECT_EQ(next.Claim(QString()), SingleInstance::Role::First);
}

TEST(SingleInstanceTest, theWindowOpensTheHandedFileAndComesUp) {
    WindowHarness w;
    ASSERT_TRUE(w.Start());
    const std::string document = w.dir.File("doc.dat");
    WriteFile(document, "");
    w.Frame().showMinimized();
    w.App().OnAnotherStart(QString::fromStdString(document));
    EXPECT_FALSE(w.Frame().isMinimized());
    EXPECT_TRUE(w.Frame().isVisible());
    EXPECT_EQ(w.App().Document()->PathName(), QString::fromStdString(document));
}

}  // namespace
}  // namespace tally::test
