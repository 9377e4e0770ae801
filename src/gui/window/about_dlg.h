// SPDX-License-Identifier: MIT
#pragma once
// The About box: the product name, the revision line from the program's version record,
// a few lines about the program and its icon.

#include <QDialog>
#include <optional>

#include "window/version_record.h"

class QLabel;

namespace tally {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr,
                       const std::optional<VersionRecord>& record = ProgramVersionRecord());

  private:
    QString m_strRevision;  // computed once, before the box is shown
};

}  // namespace tally
