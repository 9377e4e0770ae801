// SPDX-License-Identifier: MIT
#include "window/version_record.h"

#include "core/version.h"
#include "time/c_format.h"

namespace tally {

std::optional<VersionRecord> ProgramVersionRecord() {
    const std::array<int, 4> version{kVersionMajor, kVersionMinor, kVersionPatch, kVersionBuild};
    return VersionRecord{version, version};
}

QString RevisionLine(const std::optional<VersionRecord>& record) {
    if (!record) return {};
    // The record keeps each field in 16 bits.
    const auto field = [](int value) { return value & 0xFFFF; };
    return QString::fromStdString(
        FormatC("Revision %d.%d, Build %d", field(record->productVersion[0]),
                field(record->productVersion[1]), field(record->fileVersion[3])));
}

}  // namespace tally
