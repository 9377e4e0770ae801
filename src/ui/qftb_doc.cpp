#include "ui/qftb_doc.h"

#include <QFile>
#include <QFileInfo>

#include "core/messages.h"
#include "settings/settings_store.h"

namespace tally {

bool CQFTBDoc::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_reporter.Report({QString("Cannot open the document %1.\n%2")
                               .arg(QFileInfo(path).fileName(), file.errorString())
                               .toStdString(),
                           kApplicationName, MessageIcon::Warning});
        return false;
    }
    file.close();
    m_entries.Load(QFile::encodeName(path).toStdString());
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
