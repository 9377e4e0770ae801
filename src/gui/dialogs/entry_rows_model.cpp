// SPDX-License-Identifier: MIT
#include "dialogs/entry_rows_model.h"

#include <algorithm>

namespace tally {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

EntryRowsModel::EntryRowsModel(const CTimeEntryList& entries, QObject* parent)
    : QAbstractTableModel(parent), entries_(entries) {}

void EntryRowsModel::ShowAll() {
    beginResetModel();
    ids_ = entries_.IdsInTimeOrder();
    endResetModel();
}

int EntryRowsModel::AddRow(int id) {
    const CTimeEntry* added = entries_.FindEntry(id);
    if (added == nullptr) return -1;
    const auto before = [this](int rowId, const CTimeEntry* entry) {
        const CTimeEntry* shown = entries_.FindEntry(rowId);
        return shown->m_timeIn != entry->m_timeIn ? shown->m_timeIn < entry->m_timeIn
                                                  : shown->m_nId < entry->m_nId;
    };
    const auto at = std::lower_bound(ids_.begin(), ids_.end(), added, before);
    const int row = static_cast<int>(at - ids_.begin());
    beginInsertRows({}, row, row);
    ids_.insert(at, id);
    endInsertRows();
    return row;
}

void EntryRowsModel::RemoveRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    beginRemoveRows({}, row, row);
    ids_.erase(ids_.begin() + row);
    endRemoveRows();
}

int EntryRowsModel::IdAt(int row) const {
    return row >= 0 && row < rowCount() ? ids_[static_cast<std::size_t>(row)] : 0;
}

int EntryRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ids_.size());
}

int EntryRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant EntryRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const int id = IdAt(index.row());
    switch (index.column()) {
        case kInColumn:
            return InText(id);
        case kOutColumn:
            return entries_.HasOut(id) ? OutText(id) : QString();
        case kElapsedColumn:
            return entries_.HasOut(id) ? ElapsedText(id) : QString();
        default:
            return {};
    }
}

QVariant EntryRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    static const char* const kTitles[kColumnCount] = {"In", "Out", "ET"};
    return section >= 0 && section < kColumnCount ? QString(kTitles[section]) : QVariant();
}

QString EntryRowsModel::InText(int id) const {
    const CTimeEntryList& e = entries_;
    return Text(e.FormatInYear(id) + "-" + e.FormatInMonth(id) + "-" + e.FormatInDay(id) + "   " +
                e.FormatInHour(id) + ":" + e.FormatInMinute(id) + ":" + e.FormatInSecond(id));
}

QString EntryRowsModel::OutText(int id) const {
    const CTimeEntryList& e = entries_;
    return Text(e.FormatOutYear(id) + "-" + e.FormatOutMonth(id) + "-" + e.FormatOutDay(id) +
                "   " + e.FormatOutHour(id) + ":" + e.FormatOutMinute(id) + ":" +
                e.FormatOutSecond(id));
}

QString EntryRowsModel::ElapsedText(int id) const {
    const CTimeEntryList& e = entries_;
    return Text(e.FormatElapsedHours(id) + ":" + e.FormatElapsedMinutes(id) + ":" +
                e.FormatElapsedSeconds(id));
}

}  // namespace tally
