// SPDX-License-Identifier: MIT
// The raw writer of CTimeEntryList: every entry as a complete new time log. The new log is
// written and flushed under a temporary name, the backups rotate, and a rename puts it in
// place, so the time log never disappears and is never partial.

#include "entries/entry_lines.h"
#include "entries/time_entry_list.h"
#include "log/editor_messages.h"
#include "log/log_replacement.h"

namespace tally {

namespace {

constexpr std::size_t kWriteBlock = 1 << 20;

}  // namespace

bool CTimeEntryList::Save(const std::string& path, SaveOptions options, Reporter& reporter) {
    // The lock is released inside WriteTimeLog, before anything is shown.
    const std::optional<Message> failure = WriteTimeLog(path, options.makeBackups);
    if (failure) reporter.Report(*failure);
    return !failure;
}

std::optional<Message> CTimeEntryList::WriteTimeLog(const std::string& path, bool makeBackups) {
    LogReplacement replacement(path);
    if (auto failure = replacement.Begin(m_lockOptions)) return failure;
    if (m_loadedPath == path) {
        const FileIdentity now =
            replacement.Created() ? FileIdentity() : FileIdentity::OfPath(replacement.Target());
        if (now != m_loadedIdentity) {
            return Message{kFileChangedText, kApplicationName, MessageIcon::Warning};
        }
    }
    std::string block;
    block.reserve(kWriteBlock + 256);
    LocalDayCache days;
    for (const CTimeEntry& entry : m_entries) {
        AppendEntryLines(block, entry, days);
        if (block.size() >= kWriteBlock) {
            if (auto failure = replacement.Write(block.data(), block.size())) return failure;
            block.clear();
        }
    }
    if (auto failure = replacement.Write(block.data(), block.size())) return failure;
    if (auto failure = replacement.Commit(makeBackups)) return failure;

    m_loadedPath = path;
    m_loadedIdentity = FileIdentity::OfPath(replacement.Target());
    return std::nullopt;
}

bool CTimeEntryList::IsFileUnchanged() const {
    return !m_loadedPath || FileIdentity::OfPath(*m_loadedPath) == m_loadedIdentity;
}

}  // namespace tally
