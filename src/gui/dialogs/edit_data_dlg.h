// SPDX-License-Identifier: MIT
#pragma once
// The Edit Data dialog: the whole time log as rows of In, Out and elapsed time, edited
// through the time entry dialog and written back, with backups, on OK; a save that fails
// keeps the dialog open with the edits. Cancel discards.

#include <QDialog>
#include <functional>
#include <string>

#include "basics/message_box_reporter.h"
#include "dialogs/entry_rows_model.h"
#include "entries/time_entry_list.h"
#include "log/reporter.h"
#include "time/clock.h"

class QPushButton;
class QTreeView;

namespace tally {

class CTimeEntryDlg;

inline constexpr const char* kNoDataFileText = "No data file supplied.";
inline constexpr const char* kLoadFailedText = "Failed to load data file.";

class CEditDataDlg : public QDialog {
    Q_OBJECT

  public:
    // Runs a time entry dialog that Add or Edit has primed; true for OK.
    using EntryDialogRunner = std::function<bool(CTimeEntryDlg&)>;

    // Messages go to the reporter, or to message boxes.
    explicit CEditDataDlg(const Clock& clock, Reporter* reporter = nullptr,
                          QWidget* parent = nullptr);

    // The time log to edit; loaded when the dialog is first shown.
    void SetDataFile(const std::string& path) { m_strDataFile = path; }

    // Replaces the modal run of the time entry dialog (tests).
    void SetEntryDialogRunner(EntryDialogRunner runner) { runEntryDialog_ = std::move(runner); }

    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    void OnInitDialog();
    void SetColumnWidths();
    void OnAdd();
    void OnEdit() { EditSelected(); }
    void OnDelete();
    void EditSelected();
    int SelectedRow() const;
    void SelectRow(int row);

    const Clock& clock_;
    MessageBoxReporter messageBoxes_;
    Reporter& reporter_;
    EntryDialogRunner runEntryDialog_;
    bool initialised_ = false;

    QPushButton* m_btnEdit = nullptr;
    QPushButton* m_btnDelete = nullptr;
    QTreeView* m_listEntries = nullptr;
    std::string m_strDataFile;
    CTimeEntryList m_entryList;
    // After the list it shows, so that it goes first and the view never reads a dead list.
    EntryRowsModel rows_{m_entryList};
};

}  // namespace tally
