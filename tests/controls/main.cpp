// The picker tests run inside a QApplication, as widgets need one.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Headless also where no test environment is applied: CMake 3.25 lists the tests at
    // discovery without it.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
