// SPDX-License-Identifier: MIT
// What `cmake --install` puts in place, and that the installed window program runs there.

#include <gtest/gtest.h>
#include <filesystem>

#include "process.h"
#include "test_support.h"

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
         {"bin/tallybook", "bin/tally", "share/applications/org.example.tallybook.desktop",
          "share/metainfo/org.example.tallybook.metainfo.xml",
          "share/icons/hicolor/32x32/apps/tallybook.xpm", "share/man/man1/tally.1.gz",
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
    EXPECT_NE(ReadFile((root / "share/applications/org.example.tallybook.desktop").string())
                  .find("Exec=tallybook"),
              std::string::npos);

    const ProcessResult installed = RunProcess({root / "bin/tallybook", "--version"});
    EXPECT_EQ(installed.exitCode, 0) << installed.err;
}

}  // namespace
}  // namespace tally::test
