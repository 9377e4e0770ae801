// What `cmake --install` puts in place, and that the installed window program runs there.

#include <gtest/gtest.h>
#include <QProcess>
#include <filesystem>

#include "test_support.h"

namespace tally::test {
namespace {

TEST(InstallTest, installsBothProgramsThePickerLibraryTheDesktopEntryAndTheIcon) {
    TempDir prefix;
    QProcess install;
    install.start(CMAKE_COMMAND, {"--install", TALLY_BUILD_DIR, "--prefix",
                                  QString::fromStdString(prefix.Path().string())});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    namespace fs = std::filesystem;
    const fs::path root = prefix.Path();
    for (const char* file : {"bin/tallybook", "bin/tally", "share/applications/tallybook.desktop",
                             "share/icons/hicolor/32x32/apps/tallybook.xpm"}) {
        EXPECT_TRUE(fs::exists(root / file)) << file;
    }
    bool library = false;
    for (const auto& entry : fs::directory_iterator(root / "lib")) {
        library |= entry.path().filename().string().starts_with("libtallycontrols.so");
    }
    EXPECT_TRUE(library);
    EXPECT_NE(
        ReadFile((root / "share/applications/tallybook.desktop").string()).find("Exec=tallybook"),
        std::string::npos);

    QProcess installed;
    installed.start(QString::fromStdString((root / "bin/tallybook").string()), {"--version"});
    ASSERT_TRUE(installed.waitForFinished(30000));
    EXPECT_EQ(installed.exitCode(), 0) << installed.readAllStandardError().toStdString();
}

}  // namespace
}  // namespace tally::test
