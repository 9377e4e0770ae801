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
#include "dialogs/options_dlg.h"
#include "log/reporter.h"
#include "settings/client_store.h"
#include "settings/settings_store.h"

class QPushButton;
class QTreeWidget;

namespace tally {

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
