// SPDX-License-Identifier: MIT
#pragma once
// The framework's own modal dialogs: choosing a document file, printing, print preview
// and printer set-up. The program shows Qt's; tests put in their own so nothing blocks.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace tally {

class FrameworkDialogs {
  public:
    using PaintPages = std::function<void(QPrinter*)>;

    virtual ~FrameworkDialogs() = default;
    // An empty text when the user cancels.
    virtual QString GetOpenFileName(QWidget* parent) = 0;
    virtual QString GetSaveFileName(QWidget* parent, const QString& proposed) = 0;
    // True when the user chose to print.
    virtual bool RunPrintDialog(QPrinter& printer, QWidget* parent) = 0;
    // Shows the pages that paint draws on the printer.
    virtual void RunPrintPreview(QPrinter& printer, QWidget* parent, const PaintPages& paint) = 0;
    virtual void RunPageSetup(QPrinter& printer, QWidget* parent) = 0;
};

class QtFrameworkDialogs final : public FrameworkDialogs {
  public:
    QString GetOpenFileName(QWidget* parent) override;
    QString GetSaveFileName(QWidget* parent, const QString& proposed) override;
    bool RunPrintDialog(QPrinter& printer, QWidget* parent) override;
    void RunPrintPreview(QPrinter& printer, QWidget* parent, const PaintPages& paint) override;
    void RunPageSetup(QPrinter& printer, QWidget* parent) override;
};

}  // namespace tally
