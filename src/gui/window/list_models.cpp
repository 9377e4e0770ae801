// SPDX-License-Identifier: MIT
#include "window/list_models.h"

namespace tally {

template <typename Row>
int RowListModel<Row>::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

template <typename Row>
int RowListModel<Row>::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Row::kColumns;
}

template <typename Row>
QVariant RowListModel<Row>::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() ||
        index.row() >= static_cast<int>(rows_.size())) {
        return {};
    }
    return QString::fromStdString(
        rows_[static_cast<std::size_t>(index.row())].Cell(index.column()));
}

template <typename Row>
QVariant RowListModel<Row>::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Row::kColumns) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(titles_[section]);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

template class RowListModel<DailyRow>;
template class RowListModel<RawRow>;

}  // namespace tally
