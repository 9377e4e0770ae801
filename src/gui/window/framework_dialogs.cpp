// SPDX-License-Identifier: MIT
#include "window/framework_dialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tally {
namespace {

// The document template names no file type, so the file dialogs offer all files only.
constexpr const char* kAllFiles = "All Files (*)";

}  // namespace

QString QtFrameworkDialogs::GetOpenFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, "Open", QString(), kAllFiles);
}

QString QtFrameworkDialogs::GetSaveFileName(QWidget* parent, const QString& proposed) {
    return QFileDialog::getSaveFileName(parent, "Save As", proposed, kAllFiles);
}

bool QtFrameworkDialogs::RunPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtFrameworkDialogs::RunPrintPreview(QPrinter& printer, QWidget* parent,
                                         const PaintPages& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, paint);
    dialog.exec();
}

void QtFrameworkDialogs::RunPageSetup(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

}  // namespace tally
