// SPDX-License-Identifier: MIT
#include "dialogs/edit_data_dlg.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

#include "basics/dialog_units.h"
#include "dialogs/time_entry_dlg.h"
#include "log/editor_messages.h"

namespace tally {

CEditDataDlg::CEditDataDlg(const Clock& clock, Reporter* reporter, QWidget* parent)
    : QDialog(parent),
      clock_(clock),
      messageBoxes_(this),
      reporter_(reporter != nullptr ? *reporter : messageBoxes_),
      runEntryDialog_([](CTimeEntryDlg& dialog) { return dialog.exec() == QDialog::Accepted; }) {
    setWindowTitle("Edit Data");
    setFont(DialogFont());
    CreateControls();
}

void CEditDataDlg::CreateControls() {
    const DialogUnits units;
    setFixedSize(units.X(270), units.Y(306));

    auto* ok = new QPushButton("OK", this);
    units.Place(ok, 77, 275, 50, 14);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    units.Place(cancel, 143, 275, 50, 14);

    m_listEntries = new QTreeView(this);
    units.Place(m_listEntries, 18, 20, 232, 192);
    m_listEntries->setModel(&rows_);
    m_listEntries->setAccessibleName("Time Entries");
    m_listEntries->setAccessibleDescription("The pairs of the time log, one In and Out a row");
    m_listEntries->setRootIsDecorated(false);
    m_listEntries->setItemsExpandable(false);
    m_listEntries->setUniformRowHeights(true);
    m_listEntries->setAllColumnsShowFocus(true);
    m_listEntries->setSelectionMode(QAbstractItemView::SingleSelection);
    // Full-row selection comes with a successful load.
    m_listEntries->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_listEntries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listEntries->header()->setStretchLastSection(false);
    m_listEntries->header()->setSectionsMovable(false);

    auto* add = new QPushButton("&Add", this);
    units.Place(add, 49, 225, 50, 14);
    m_btnEdit = new QPushButton("&Edit", this);
    units.Place(m_btnEdit, 109, 225, 50, 14);
    m_btnDelete = new QPushButton("&Delete", this);
    units.Place(m_btnDelete, 169, 225, 50, 14);

    // Frames only: below the controls they surround, so clicks reach those.
    auto* upper = new QGroupBox("Static", this);
    units.Place(upper, 7, 7, 256, 246);
    upper->lower();
    auto* lower = new QGroupBox(this);
    units.Place(lower, 7, 259, 256, 40);
    lower->lower();

    connect(ok, &QPushButton::clicked, this, &CEditDataDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CEditDataDlg::reject);
    connect(add, &QPushButton::clicked, this, &CEditDataDlg::OnAdd);
    connect(m_btnEdit, &QPushButton::clicked, this, &CEditDataDlg::OnEdit);
    connect(m_btnDelete, &QPushButton::clicked, this, &CEditDataDlg::OnDelete);
    connect(m_listEntries, &QTreeView::doubleClicked, this, &CEditDataDlg::EditSelected);

    // The first tab stop has the focus when the dialog opens.
    ok->setFocus();
}

void CEditDataDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (initialised_) return;
    initialised_ = true;
    OnInitDialog();
}

void CEditDataDlg::OnInitDialog() {
    SetColumnWidths();
    if (m_strDataFile.empty()) {
        reporter_.Report({kNoDataFileText, kApplicationName, MessageIcon::None});
        return;
    }
    if (!m_entryList.Load(m_strDataFile)) {
        // The rows stay empty; what was read stays in the list, and OK saves it.
        reporter_.Report({kLoadFailedText, kApplicationName, MessageIcon::None});
        return;
    }
    rows_.ShowAll();
    m_listEntries->setSelectionBehavior(QAbstractItemView::SelectRows);
}

void CEditDataDlg::SetColumnWidths() {
    // The client width less a scroll bar's, split 2:2:1 with the rest to the last column.
    const int w =
        m_listEntries->contentsRect().width() -
        m_listEntries->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_listEntries);
    const int u = w / 5;
    QHeaderView* header = m_listEntries->header();
    header->resizeSection(EntryRowsModel::kInColumn, 2 * u);
    header->resizeSection(EntryRowsModel::kOutColumn, 2 * u);
    header->resizeSection(EntryRowsModel::kElapsedColumn, w - 4 * u);
}

void CEditDataDlg::OnAdd() {
    CTimeEntryDlg entry(clock_, &reporter_);
    if (!runEntryDialog_(entry)) return;
    const int id = m_entryList.PutEntry(0, entry.InTime(), entry.Valid(), entry.OutTime());
    rows_.AddRow(id);
}

void CEditDataDlg::EditSelected() {
    const int row = SelectedRow();
    if (row < 0) return;
    const int id = rows_.IdAt(row);
    const CTimeEntry* record = m_entryList.FindEntry(id);
    if (record == nullptr) return;

    CTimeEntryDlg entry(clock_, &reporter_);
    entry.SetInTime(record->m_timeIn);
    entry.SetValid(record->m_bHasOut);
    entry.SetOutTime(record->m_bHasOut ? record->m_timeOut : clock_.Now());
    if (!runEntryDialog_(entry)) return;
    m_entryList.PutEntry(id, entry.InTime(), entry.Valid(), entry.OutTime());
    rows_.RemoveRow(row);
    m_listEntries->clearSelection();
    rows_.AddRow(id);
}

void CEditDataDlg::OnDelete() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (!m_entryList.DeleteEntry(rows_.IdAt(row))) return;
    rows_.RemoveRow(row);
    SelectRow(std::max(row - 1, 0));
}

int CEditDataDlg::SelectedRow() const {
    const QModelIndexList selected = m_listEntries->selectionModel()->selectedIndexes();
    int first = -1;
    for (const QModelIndex& index : selected) {
        if (first < 0 || index.row() < first) first = index.row();
    }
    return first;
}

void CEditDataDlg::SelectRow(int row) {
    if (row < 0 || row >= rows_.rowCount()) return;
    const QModelIndex index = rows_.index(row, 0);
    m_listEntries->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CEditDataDlg::accept() {
    // A failed or refused save has been reported and left the log and its backups as they
    // were; the dialog stays open with the edits, so that the user can mend the cause (free
    // some space, say) and press OK again, or Cancel.
    if (!m_entryList.Save(m_strDataFile, {.makeBackups = true}, reporter_)) return;
    QDialog::accept();
}

}  // namespace tally
