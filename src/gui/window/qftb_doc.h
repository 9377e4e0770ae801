// SPDX-License-Identifier: MIT
#pragma once
// The document: an entry list that File Open fills and File Save writes, in the time log
// format. The form never reads it; the time log it shows is always the DataLog option.

#include <QString>
#include <string>

#include "entries/time_entry_list.h"
#include "log/reporter.h"

namespace tally {

class CQFTBDoc {
  public:
    explicit CQFTBDoc(Reporter& reporter) : m_reporter(reporter) {}

    // The entry list is kept: after Open and then New it still holds the opened file.
    bool OnNewDocument() { return true; }
    // False (with a message) when the file cannot be opened for reading; otherwise the
    // file is read into the entry list and the result is true, whatever the reader found.
    bool OnOpenDocument(const QString& path);
    // Writes the entry list to the path, without backups, in one rename: the old file stays
    // whole when the save fails. A path that names the time log in use or one of its
    // backups (under any name or link) is refused with a message. False when nothing was
    // saved.
    bool OnSaveDocument(const QString& path, const std::string& timeLog);

    const CTimeEntryList& Entries() const { return m_entries; }

    const QString& PathName() const { return m_pathName; }
    // Also makes the file's name the title.
    void SetPathName(const QString& path);
    void ClearPathName() { m_pathName.clear(); }
    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }

  private:
    Reporter& m_reporter;
    CTimeEntryList m_entries;
    QString m_pathName;
    QString m_title;
};

// The title of a document that has no file yet.
inline constexpr const char* kUntitled = "Untitled";

}  // namespace tally
