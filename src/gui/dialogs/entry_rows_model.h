// SPDX-License-Identifier: MIT
#pragma once
// The Edit Data dialog's rows over its entry list: one row per entry, in time order (by In
// time, then by id), each row's texts made when they are shown.

#include <QAbstractTableModel>
#include <vector>

#include "entries/time_entry_list.h"

namespace tally {

class EntryRowsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { kInColumn = 0, kOutColumn = 1, kElapsedColumn = 2, kColumnCount = 3 };

    explicit EntryRowsModel(const CTimeEntryList& entries, QObject* parent = nullptr);

    // One row for every entry of the list.
    void ShowAll();
    // The row of one entry, placed by its In time; returns its position.
    int AddRow(int id);
    void RemoveRow(int row);
    // The id of the entry a row shows; 0 for no row.
    int IdAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString InText(int id) const;
    QString OutText(int id) const;
    QString ElapsedText(int id) const;

    const CTimeEntryList& entries_;
    std::vector<int> ids_;
};

}  // namespace tally
