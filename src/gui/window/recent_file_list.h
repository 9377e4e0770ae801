// SPDX-License-Identifier: MIT
#pragma once
// The most recently used document files, newest first, kept in the settings store under
// "Recent File List" as File1 to File4.

#include <QSettings>
#include <QStringList>

namespace tally {

class RecentFileList {
  public:
    explicit RecentFileList(QSettings& settings, int size = 4);

    void Load();
    // Moves the file to the top (adding it when new) and stores the list.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return files_; }

  private:
    void Store();

    QSettings& settings_;
    int size_;
    QStringList files_;
};

}  // namespace tally
