#include "ui/qftb_doc.h"

#include <QFile>
#include <QFileInfo>

#include "core/messages.h"
#include "core/time_log_file.h"
#include "editor/system_error.h"

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

bool CQFTBDoc::OnSaveDocument(const QString& path) {
    return m_entries.Save(QFile::encodeName(path).toStdString(), false, m_reporter);
}

void CQFTBDoc::SetPathName(const QString& path) {
    m_pathName = path;
    m_title = QFileInfo(path).fileName();
}

}  // namespace tally
