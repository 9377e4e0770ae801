#include "ui/recent_file_list.h"

#include <QFileInfo>

namespace tally {
namespace {

constexpr const char* kSection = "Recent File List";

QString EntryKey(int index) {
    return QString("%1/File%2").arg(kSection).arg(index + 1);
}

}  // namespace

RecentFileList::RecentFileList(QSettings& settings, int size)
    : m_settings(settings), m_size(size) {}

void RecentFileList::Load() {
    m_files.clear();
    for (int i = 0; i < m_size; ++i) {
        const QString path = m_settings.value(EntryKey(i)).toString();
        if (!path.isEmpty()) m_files.append(path);
    }
}

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > m_size) m_files.removeLast();
    Store();
}

void RecentFileList::Remove(const QString& path) {
    if (m_files.removeAll(path) > 0) Store();
}

void RecentFileList::Store() {
    for (int i = 0; i < m_size; ++i) {
        if (i < m_files.size()) {
            m_settings.setValue(EntryKey(i), m_files[i]);
        } else {
            m_settings.remove(EntryKey(i));
        }
    }
    m_settings.sync();
}

}  // namespace tally
