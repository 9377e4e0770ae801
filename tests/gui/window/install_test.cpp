// SPDX-License-Identifier: MIT
// What `cmake --install` puts in place, and that the installed window program runs there.

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <filesystem>

#include "process.h"
#include "test_support.h"
#include "window/qftb_app.h"

namespace tally::test {
namespace {

TEST(InstallTest,
     installsBothProgramsThePickerLibraryAndHeadersTheManualsTheCompletionAndTheDesktopFiles) {
    TempDir prefix;
    const ProcessResult install =
        RunProcess({CMAKE_COMMAND, "--install", TALLY_BUILD_DIR, "--prefix", prefix.Path()});
    ASSERT_EQ(install.exitCode, 0) << install.err;

    namespace fs = std::filesystem;
    const fs::path root = prefix.Path();
    for (const char* file :
         {"bin/tallybook", "bin/tally", "share/metainfo/org.example.tallybook.metainfo.xml",
          "share/icons/hicolor/16x16/apps/tallybook.png",
          "share/icons/hicolor/256x256/apps/tallybook.png",
          "share/icons/hicolor/scalable/apps/tallybook.svg", "share/man/man1/tally.1.gz",
          "share/man/man1/tallybook.1.gz", "share/bash-completion/completions/tally",
          "include/tallybook/controls/qf_date_time_ctrl.h",
          "include/tallybook/controls/picker_types.h", "include/tallybook/controls/picker_format.h",
          "include/tallybook/controls/tally_controls_export.h"}) {
        EXPECT_TRUE(fs::exists(root / file)) << file;
    }
    // The build's library folder: lib, lib64 or a multiarch one such as lib/x86_64-linux-gnu.
    bool library = false;
    for (const auto& entry : fs::directory_iterator(root / TALLY_INSTALL_LIBDIR)) {
        library |= entry.path().filename().string().starts_with("libtallycontrols.so");
    }
    EXPECT_TRUE(library) << TALLY_INSTALL_LIBDIR;
    // The window's app id names the installed desktop entry, as Wayland compositors look it up.
    CQFTBApp::SetApplicationIdentity();
    const fs::path entry = root / "share/applications" /
                           (QGuiApplication::desktopFileName().toStdString() + ".desktop");
    EXPECT_NE(ReadFile(entry.string()).find("Exec=tallybook"), std::string::npos) << entry;

    const ProcessResult installed = RunProcess({root / "bin/tallybook", "--version"});
    EXPECT_EQ(installed.exitCode, 0) << installed.err;
}

}  // namespace
}  // namespace tally::test
