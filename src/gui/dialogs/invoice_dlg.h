// SPDX-License-Identifier: MIT
#pragma once
// The Invoice dialog: a rate, a start and an end date, and the invoice text of that range
// made from the time log on Generate Invoice. It never changes the log or the settings.

#include <QDialog>
#include <QString>
#include <string>

#include "core/clock.h"
#include "core/elapsed_time.h"
#include "settings/settings_store.h"

class QAction;
class QLineEdit;
class QPlainTextEdit;

namespace tally {

class CQFDateTimeCtrl;

inline constexpr const char* kInvoicePickerFormat = "MM'/'dd'/'yyyy'";

class CInvoiceDlg : public QDialog {
    Q_OBJECT

  public:
    // Takes the stored rate text and rounding from the store; both dates are today.
    CInvoiceDlg(SettingsStore& store, const Clock& clock, QWidget* parent = nullptr);

    // The time log the invoice is made from.
    void SetDataFile(const std::string& path) { dataFile_ = path; }

    // ID_GENERATE_INVOICE, the same as the Generate Invoice button.
    QAction* GenerateInvoiceAction() const { return generateAction_; }
    QString InvoiceText() const;

  private:
    void CreateControls();
    void OnGenerateInvoice();

    std::string dataFile_;
    RoundingOptions rounding_;

    CQFDateTimeCtrl* m_dtStart = nullptr;
    CQFDateTimeCtrl* m_dtEnd = nullptr;
    QLineEdit* m_editRate = nullptr;
    QPlainTextEdit* invoiceBox_ = nullptr;
    QAction* generateAction_ = nullptr;
};

}  // namespace tally
