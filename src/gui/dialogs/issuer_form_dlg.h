// SPDX-License-Identifier: MIT
#pragma once
// The issuer's form in the Clients dialog: the sender's block of every invoice.

#include <QDialog>
#include <vector>

#include "clients/client.h"
#include "invoice/issuer.h"
#include "log/reporter.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace tally {

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

}  // namespace tally
