// SPDX-License-Identifier: MIT
#pragma once
// A D-Bus daemon of the test's own (the session configuration, which lets a stand-in own any
// name), ended with the object.

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>

#include "process.h"

namespace tally::test {

struct PrivateBus {
    PrivateBus() {
        const ProcessResult daemon = RunProcess(
            {"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"});
        EXPECT_EQ(daemon.exitCode, 0) << daemon.err;
        std::istringstream lines(daemon.out);
        std::getline(lines, address);
        lines >> pid;
    }
    ~PrivateBus() {
        if (pid > 0) kill(pid, SIGTERM);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    std::string address;
    int pid = -1;
};

}  // namespace tally::test
