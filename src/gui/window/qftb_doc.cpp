// SPDX-License-Identifier: MIT
#include "window/qftb_doc.h"

#include <QFile>
#include <QFileInfo>

#include "log/backup_rotation.h"
#include "log/messages.h"
#include "log/system_error.h"
#include "log/time_log_file.h"

namespace tally {

bool CQFTBDoc::OnOpenDocument(const QString& path) {
    const std::string name = QFile::encodeName(path).toStdString();
    // The time log's own open: a FIFO or device is refused at once instead of blocking.
    const OpenedLog file = OpenTimeLogFile(name, LogAccess::Read);
    if (!file.Ok()) {
        const std::string reason = file.status == OpenedLog::Status::NotRegular
                                       ? std::string(kNotRegularReason)
                                       : SystemErrorText(file.error);
        m_reporter.Report({QString("Cannot open the document %1.\n%2")
                               .arg(QFileInfo(path).fileName(), QString::fromStdString(reason))
                               .toStdString(),
                           kApplicationName, MessageIcon::Warning});
        return false;
    }
    m_entries.Load(name);
    return true;
}

bool CQFTBDoc::OnSaveDocument(const QString& path, const std::string& timeLog) {
    const std::string name = QFile::encodeName(path).toStdString();
    // The replace question the save dialog asked does not know the file is the log.
    switch (KindOfLogFile(name, timeLog)) {
        case LogFileKind::Log:
            m_reporter.Report({"The document was not saved: " + name +
                                   " is the time log in use, and the document would take the "
                                   "place of its punches. Choose another file name.",
                               kErrorCaption, MessageIcon::Stop});
            return false;
        case LogFileKind::Backup:
            m_reporter.Report({"The document was not saved: " + name +
                                   " is a backup of the time log " + timeLog +
                                   ". Choose another file name.",
                               kErrorCaption, MessageIcon::Stop});
            return false;
        case LogFileKind::Other:
            break;
    }
    return m_entries.Save(name, {.makeBackups = false}, m_reporter);
}

void CQFTBDoc::SetPathName(const QString& path) {
    m_pathName = path;
    m_title = QFileInfo(path).fileName();
}

}  // namespace tally
