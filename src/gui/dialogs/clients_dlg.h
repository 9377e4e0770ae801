// SPDX-License-Identifier: MIT
#pragma once
// The Clients dialog: the clients in the settings store, with Add, Edit and Remove, and the
// issuer (the sender's block of every invoice). Each change is written to the store at once;
// a client is stored only when all its values can be, and removing one never deletes its
// time log.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "clients/client.h"
#include "core/reporter.h"
#include "dialogs/options_dlg.h"
#include "invoice/issuer.h"
#include "settings/client_store.h"
#include "settings/settings_store.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace tally {

// The form of one client's values. OK keeps it open, with a message, while a value is bad
// or the client would clash with another.
class CClientFormDlg : public QDialog {
    Q_OBJECT

  public:
    // The others are the clients beside it; replacing names the client being edited (empty
    // for a new one); the issuer's country decides which tax treatments fit.
    CClientFormDlg(std::vector<Client> others, std::string replacing, std::string issuerCountry,
                   Reporter& reporter, QWidget* parent = nullptr);

    void SetClient(const Client& client);
    // The client as OK took it.
    const Client& Result() const { return result_; }
    void SetFileChooser(COptionsDlg::FileChooser chooser) { chooseFile_ = std::move(chooser); }

    void accept() override;

  private:
    // The client the controls hold; the reason when a value is not one.
    std::string Take(Client& client) const;

    std::vector<Client> others_;
    std::string replacing_;
    std::string issuerCountry_;
    Reporter& reporter_;
    Client result_;
    COptionsDlg::FileChooser chooseFile_;

    QLineEdit* name_ = nullptr;
    QLineEdit* log_ = nullptr;
    QLineEdit* rate_ = nullptr;
    QLineEdit* currency_ = nullptr;
    QLineEdit* tax_ = nullptr;
    QPlainTextEdit* address_ = nullptr;
    QSpinBox* days_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* country_ = nullptr;
    QLineEdit* vatId_ = nullptr;
    QLineEdit* reference_ = nullptr;
    QComboBox* language_ = nullptr;
    QLineEdit* service_ = nullptr;
    QComboBox* treatment_ = nullptr;
    QCheckBox* einvoice_ = nullptr;
    QLineEdit* taxNote_ = nullptr;
};

// The issuer's values as one form; the caller stores what OK leaves in it. OK keeps it open,
// with a message, while a value fails its check (as tally issuer set checks it).
class CIssuerFormDlg : public QDialog {
    Q_OBJECT

  public:
    // The clients are those whose tax treatments the issuer's country must fit.
    CIssuerFormDlg(std::vector<Client> clients, Reporter& reporter, QWidget* parent = nullptr);

    void SetIssuer(const Issuer& issuer);
    // What the controls hold, single lines trimmed, ids compact.
    Issuer Result() const;

    void accept() override;

  private:
    std::vector<Client> clients_;
    Reporter& reporter_;

    QLineEdit* name_ = nullptr;
    QPlainTextEdit* address_ = nullptr;
    QLineEdit* country_ = nullptr;
    QLineEdit* email_ = nullptr;
    QLineEdit* phone_ = nullptr;
    QLineEdit* taxId_ = nullptr;
    QLineEdit* vatId_ = nullptr;
    QPlainTextEdit* bank_ = nullptr;
    QLineEdit* iban_ = nullptr;
    QLineEdit* bic_ = nullptr;
    QPlainTextEdit* terms_ = nullptr;
    QCheckBox* smallBusiness_ = nullptr;
    QLineEdit* smallBusinessNote_ = nullptr;
    QLineEdit* logo_ = nullptr;
};

class CClientsDlg : public QDialog {
    Q_OBJECT

  public:
    // Asks whether to remove a client; true for yes.
    using Confirm = std::function<bool(const QString& question)>;

    CClientsDlg(SettingsStore& store, Reporter& reporter, QWidget* parent = nullptr);

    void OnAdd();
    void OnEdit();
    void OnRemove();
    // Runs the issuer form and writes the [Issuer] section when it ends with OK.
    void OnIssuer();
    void SetConfirm(Confirm confirm) { confirm_ = std::move(confirm); }
    void SetFileChooser(COptionsDlg::FileChooser chooser) { chooseFile_ = std::move(chooser); }

    QTreeWidget* List() const { return list_; }

  private:
    // The list again from the store, keeping the selection on the named client.
    void Refill(const std::string& select);
    const Client* Selected() const;
    // Runs the form for a client and stores what OK gives.
    void RunFormFor(const Client& start, const std::string& replacing);
    // A change of the clients the store refused: said, with its reason.
    void ReportChange(const ClientStoreChange& change);

    SettingsStore& store_;
    Reporter& reporter_;
    std::vector<Client> clients_;
    Confirm confirm_;
    COptionsDlg::FileChooser chooseFile_;

    QTreeWidget* list_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* remove_ = nullptr;
};

}  // namespace tally
