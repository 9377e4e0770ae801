// SPDX-License-Identifier: MIT
#include "window/recent_file_list.h"

#include <QFileInfo>

namespace tally {
namespace {

constexpr const char* kSection = "Recent File List";

QString EntryKey(int index) {
    return QString("%1/File%2").arg(kSection).arg(index + 1);
}

}  // namespace

RecentFileList::RecentFileList(QSettings& settings, int size) : settings_(settings), size_(size) {}

void RecentFileList::Load() {
    files_.clear();
    for (int i = 0; i < size_; ++i) {
        const QString path = settings_.value(EntryKey(i)).toString();
        if (!path.isEmpty()) files_.append(path);
    }
}

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files_.removeAll(absolute);
    files_.prepend(absolute);
    while (files_.size() > size_) files_.removeLast();
    Store();
}

void RecentFileList::Remove(const QString& path) {
    if (files_.removeAll(path) > 0) Store();
}

void RecentFileList::Store() {
    for (int i = 0; i < size_; ++i) {
        if (i < files_.size()) {
            settings_.setValue(EntryKey(i), files_[i]);
        } else {
            settings_.remove(EntryKey(i));
        }
    }
    settings_.sync();
}

}  // namespace tally
