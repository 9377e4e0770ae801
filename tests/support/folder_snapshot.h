// SPDX-License-Identifier: MIT
#pragma once
// Every file of a folder with its bytes, to prove that a failed save changed nothing.

#include <filesystem>
#include <map>
#include <string>

namespace tally::test {

using FolderSnapshot = std::map<std::string, std::string>;  // file name -> bytes

FolderSnapshot SnapshotFolder(const std::filesystem::path& folder);
// The same for the folder and every folder in it, files named by their path within it.
FolderSnapshot SnapshotTree(const std::filesystem::path& folder);

// How many files in the folder start with "." (the writer's temporary files).
int CountHiddenFiles(const std::filesystem::path& folder);

}  // namespace tally::test
