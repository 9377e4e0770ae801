// SPDX-License-Identifier: MIT
#pragma once
// The Invoices dialog: the invoice register listed with each invoice's state today, and the
// changes a user makes to it by hand: paid on a day, cancelled with a credit note, its PDF
// opened or sent by e-mail, the XML its PDF carries saved. A register that cannot be read is
// shown as its message and is never written.

#include <QDate>
#include <QDialog>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>
#include <string>

#include "basics/message_box_reporter.h"
#include "invoice/invoice_register.h"
#include "log/reporter.h"
#include "settings/settings_store.h"
#include "time/clock.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tally {

class CInvoicesDlg : public QDialog {
    Q_OBJECT

  public:
    // What the dialog asks and does outside itself; tests put in their own.
    struct Prompts {
        // The day an invoice was paid, proposed first; nothing when the user cancels.
        std::function<std::optional<QDate>(QWidget* parent, const QString& number, QDate proposed)>
            paidOn;
        // True when the user confirms the question.
        std::function<bool(QWidget* parent, const QString& question)> confirm;
        std::function<bool(const QUrl& url)> openUrl;
    };

    // Reads the register named in the store's invoice settings. Messages go to the reporter,
    // or to message boxes.
    CInvoicesDlg(SettingsStore& store, const Clock& clock, QWidget* parent = nullptr,
                 Reporter* reporter = nullptr);

    void SetPrompts(Prompts prompts) { prompts_ = std::move(prompts); }

    // Runs a program with its arguments, no shell between; true when it ran and succeeded.
    using ProgramRunner = std::function<bool(const QString& program, const QStringList& args)>;
    // Replaces the runner of the mail program (tests).
    void SetMailRunner(ProgramRunner runner) { runMail_ = std::move(runner); }
    // Replaces the file dialog that asks where the XML goes (tests); nothing when cancelled.
    using FileChooser = std::function<std::optional<QString>(const QString& proposed)>;
    void SetXmlChooser(FileChooser chooser) { chooseXml_ = std::move(chooser); }

    // Reads the register again and lists it, keeping the selected invoice selected.
    void Reload();
    // Selects the invoice of that number; false when it is not listed.
    bool Select(const std::string& number);

  private:
    void CreateControls();
    void UpdateButtons();
    const InvoiceEntry* Selected() const;
    void OnMarkPaid();
    void OnCancelInvoice();
    void OnOpenPdf();
    void OnSendByEmail();
    void OnSaveXml();
    // The PDF of the invoice: the archive's copy, else the user's; empty and said when neither.
    std::string PdfOf(const InvoiceEntry& entry);
    void ReportChange(const std::string& error);

    SettingsStore& store_;
    const Clock& clock_;
    MessageBoxReporter messageBoxes_;
    Reporter& reporter_;
    Prompts prompts_;
    ProgramRunner runMail_;
    FileChooser chooseXml_;
    std::string registerPath_;
    RegisterRead read_;

    QLabel* problem_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* markPaid_ = nullptr;
    QPushButton* cancelInvoice_ = nullptr;
    QPushButton* openPdf_ = nullptr;
    QPushButton* sendEmail_ = nullptr;
    QPushButton* saveXml_ = nullptr;
};

}  // namespace tally
