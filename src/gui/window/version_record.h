// SPDX-License-Identifier: MIT
#pragma once
// The program's version record and the revision line the About box shows from it.

#include <QString>
#include <array>
#include <optional>

namespace tally {

struct VersionRecord {
    std::array<int, 4> fileVersion{};
    std::array<int, 4> productVersion{};
};

// The record of this program, generated from the project version.
std::optional<VersionRecord> ProgramVersionRecord();

// "Revision %d.%d, Build %d": the product version's first two fields and the file
// version's fourth; empty without a record.
QString RevisionLine(const std::optional<VersionRecord>& record);

}  // namespace tally
