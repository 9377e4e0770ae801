// SPDX-License-Identifier: MIT
#pragma once
// The form of one client's values in the Clients dialog (Add and Edit); the caller stores what
// OK leaves in it.

#include <QDialog>
#include <string>
#include <vector>

#include "clients/client.h"
#include "dialogs/options_dlg.h"
#include "log/reporter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

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

}  // namespace tally
