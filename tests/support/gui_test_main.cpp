// The main of every GUI test binary: one QApplication for all tests of the binary.

#include <gtest/gtest.h>
#include <QApplication>
#include <clocale>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Test discovery runs the binary without the tests' environment: stay headless then too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // QApplication takes the number format from the environment; the engine reads and
    // writes numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
