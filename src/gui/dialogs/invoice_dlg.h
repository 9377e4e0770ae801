// SPDX-License-Identifier: MIT
#pragma once
// The Invoice dialog: a rate, a start and an end date, and the invoice text of that range
// made from the time log on Generate Invoice. It never changes the log or the settings.
// When the log is a client's, Save as PDF issues the range as a numbered PDF invoice and
// records it in the invoice register; the dialog then shows the client, its currency and tax
// treatment, starts at its unbilled days, and previews the money the PDF will show, with one
// line per day or one for the whole period as chosen.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "basics/message_box_reporter.h"
#include "clients/client.h"
#include "invoice/invoice_money.h"
#include "invoice/issuer.h"
#include "log/reporter.h"
#include "settings/settings_store.h"
#include "time/calendar_date.h"
#include "time/clock.h"
#include "time/elapsed_time.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tally {

class CQFDateTimeCtrl;

inline constexpr const char* kInvoicePickerFormat = "MM'/'dd'/'yyyy'";

class CInvoiceDlg : public QDialog {
    Q_OBJECT

  public:
    // Where the PDF goes, the proposed path given; nothing when the user cancels.
    using PdfChooser = std::function<std::optional<QString>(const QString& proposed)>;

    // Takes the stored rate text and rounding from the store; both dates are today. Messages
    // go to the reporter, or to message boxes.
    CInvoiceDlg(SettingsStore& store, const Clock& clock, QWidget* parent = nullptr,
                Reporter* reporter = nullptr);

    // The time log the invoice is made from. A client's log offers the client's own rate and
    // its unbilled days, shows the client and the money preview, and enables Save as PDF.
    void SetDataFile(const std::string& path);

    // Replaces the file dialog of Save as PDF (tests).
    void SetPdfChooser(PdfChooser chooser) { choosePdf_ = std::move(chooser); }

    // ID_GENERATE_INVOICE, the same as the Generate Invoice button.
    QAction* GenerateInvoiceAction() const { return generateAction_; }
    QString InvoiceText() const;

  private:
    void CreateControls();
    void OnGenerateInvoice();
    void OnSaveAsPdf();
    // Shows the client's block and the preview, growing the dialog to hold them.
    void ShowClient(const Client& client);
    void StartAtUnbilledDays(const Client& client);
    void UpdatePreview();
    LineGrouping Grouping() const;
    // The days the pickers hold.
    CalendarDate First() const;
    CalendarDate Last() const;
    static constexpr const char* kNoClientTip =
        "This time log belongs to no client: PDF invoices are made for a client's log.";

    SettingsStore& store_;
    const Clock& clock_;
    MessageBoxReporter messageBoxes_;
    Reporter& reporter_;
    PdfChooser choosePdf_;
    std::string dataFile_;
    RoundingOptions rounding_;
    // The client of the log and the issuer, as the preview bills them; none: no client.
    std::optional<Client> client_;
    Issuer issuer_;

    CQFDateTimeCtrl* m_dtStart = nullptr;
    CQFDateTimeCtrl* m_dtEnd = nullptr;
    QLineEdit* m_editRate = nullptr;
    QPlainTextEdit* invoiceBox_ = nullptr;
    QPushButton* savePdf_ = nullptr;
    QComboBox* lines_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* clientBox_ = nullptr;
    QLabel* preview_ = nullptr;
    QAction* generateAction_ = nullptr;
};

}  // namespace tally
