// SPDX-License-Identifier: MIT
#include "folder_snapshot.h"

#include "test_support.h"

namespace tally::test {

FolderSnapshot SnapshotFolder(const std::filesystem::path& folder) {
    FolderSnapshot snapshot;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        snapshot[name] = entry.is_regular_file() ? ReadFile(entry.path().string()) : "<not a file>";
    }
    return snapshot;
}

FolderSnapshot SnapshotTree(const std::filesystem::path& folder) {
    FolderSnapshot snapshot;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        snapshot[name] = entry.is_regular_file() ? ReadFile(entry.path().string()) : "<not a file>";
    }
    return snapshot;
}

int CountHiddenFiles(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.') ++count;
    }
    return count;
}

}  // namespace tally::test
