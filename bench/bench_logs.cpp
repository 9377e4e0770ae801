// SPDX-License-Identifier: MIT
#include "bench_logs.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <vector>

namespace tally::bench {

std::string BenchDataDir() {
    const char* dir = std::getenv("TALLY_BENCH_DATA");
    return dir != nullptr && *dir != '\0' ? dir : TALLY_BENCH_DATA_DIR;
}

std::string EnsureLog(const LogPreset& preset) {
    const std::filesystem::path path = std::filesystem::path(BenchDataDir()) / preset.fileName;
    std::error_code error;
    if (std::filesystem::exists(path, error)) return path.string();
    std::filesystem::create_directories(path.parent_path(), error);
    std::cerr << "Generating " << path.string() << " ...\n";
    if (!GenerateLogFile(preset.shape, path.string())) {
        std::cerr << "Cannot write " << path.string() << '\n';
        return {};
    }
    return path.string();
}

std::int64_t FileSizeOf(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? -1 : static_cast<std::int64_t>(size);
}

std::int64_t CountLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> block(1 << 20);
    std::int64_t lines = 0;
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        for (std::streamsize i = 0; i < in.gcount(); ++i) lines += block[i] == '\n';
    }
    return lines;
}

std::string MillionLogOrOverride() {
    const char* given = std::getenv("TALLY_BENCH_LOG");
    if (given != nullptr && *given != '\0') return given;
    const auto preset = FindLogPreset("million");
    return preset ? EnsureLog(*preset) : std::string();
}

}  // namespace tally::bench
