// SPDX-License-Identifier: MIT
#pragma once
// The two lists of the form as Qt models over the rows of the last scan. Cell texts are
// formatted only for the rows a view shows.

#include <QAbstractTableModel>
#include <vector>

#include "core/list_rows.h"

namespace tally {

template <typename Row>
class RowListModel final : public QAbstractTableModel {
  public:
    RowListModel(const std::vector<Row>& rows, const char* const* titles)
        : rows_(rows), titles_(titles) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The rows are about to be replaced, and have been.
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }

  private:
    const std::vector<Row>& rows_;
    const char* const* titles_;
};

using DailyListModel = RowListModel<DailyRow>;
using RawListModel = RowListModel<RawRow>;

extern template class RowListModel<DailyRow>;
extern template class RowListModel<RawRow>;

}  // namespace tally
