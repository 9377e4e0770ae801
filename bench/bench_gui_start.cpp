// SPDX-License-Identifier: MIT
#include <QApplication>
#include <clocale>

#include "bench_start.h"

namespace tally::bench {

int RunGuiBenchmarks(int argc, char** argv, Screen screen, const std::function<bool()>& add) {
    const bool offscreen = screen == Screen::Offscreen || qEnvironmentVariableIsEmpty("DISPLAY");
    if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return RunBenchmarks(argc, argv, add);
}

}  // namespace tally::bench
