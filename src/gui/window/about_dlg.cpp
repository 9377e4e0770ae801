// SPDX-License-Identifier: MIT
#include "window/about_dlg.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "basics/dialog_units.h"

namespace tally {
namespace {

constexpr const char* kVendorLines[4] = {
    "A punch clock for work billed by the hour.",
    "One plain-text time log.",
    "Made with Qt for Linux.",
    "Free to use and to share.",
};

QLabel* AddStatic(QDialog* dialog, const DialogUnits& units, const QString& text, int x, int y,
                  int width) {
    auto* label = new QLabel(text, dialog);
    // Plain text, no buddy: an ampersand is shown as itself.
    label->setTextFormat(Qt::PlainText);
    units.Place(label, x, y, width, 8);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent, const std::optional<VersionRecord>& record)
    : QDialog(parent), m_strRevision(RevisionLine(record)) {
    const DialogUnits units;
    setWindowTitle("About Q&F Tallybook");
    setFont(DialogFont());
    setFixedSize(units.X(235), units.Y(92));

    auto* icon = new QLabel(this);
    units.Place(icon, 11, 17, 20, 20);
    icon->setPixmap(QPixmap(":/res/tallybook.xpm"));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    AddStatic(this, units, "Q&F Tallybook", 41, 11, 119);
    AddStatic(this, units, m_strRevision, 41, 22, 119)->setObjectName("Revision");
    AddStatic(this, units, kVendorLines[0], 41, 39, 169);
    AddStatic(this, units, kVendorLines[1], 41, 49, 119);
    AddStatic(this, units, kVendorLines[2], 41, 59, 119);
    AddStatic(this, units, kVendorLines[3], 41, 69, 119);

    auto* ok = new QPushButton("OK", this);
    units.Place(ok, 178, 7, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tally
