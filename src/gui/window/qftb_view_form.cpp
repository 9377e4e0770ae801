// SPDX-License-Identifier: MIT
// The main view's form: the two totals boxes and the two lists, placed in dialog units as the
// form's template places them, and the lists' columns.
#include "window/qftb_view.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>

#include "basics/dialog_units.h"
#include "window/column_widths.h"

namespace tally {
namespace {

// The form's size in dialog units.
constexpr int kFormWidth = 346;
constexpr int kFormHeight = 200;

QLabel* AddStatic(QWidget* form, const DialogUnits& units, const char* name, const char* text,
                  Qt::Alignment alignment, int x, int y, int width, int height) {
    auto* label = new QLabel(text, form);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignTop);
    units.Place(label, x, y, width, height);
    return label;
}

QTreeView* AddList(QWidget* form, const DialogUnits& units, const char* name,
                   QAbstractItemModel* model, int x, int y, int width, int height) {
    auto* list = new QTreeView(form);
    list->setObjectName(name);
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    units.Place(list, x, y, width, height);
    return list;
}

// The newest row selected and in sight, as after every scan; nothing selected in an empty list.
void SelectLastRow(QTreeView* list) {
    const int rows = list->model()->rowCount();
    if (rows == 0) return;
    const QModelIndex last = list->model()->index(rows - 1, 0);
    list->selectionModel()->setCurrentIndex(
        last, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(last);
}

}  // namespace

void CQFTBView::CreateForm() {
    const DialogUnits units;
    setFont(DialogFont());
    // A group box's frame runs through the middle of its title, as the template assumes:
    // the texts inside start right below the title.
    setStyleSheet(QString("QGroupBox { border: 1px solid palette(mid); margin-top: %1px; }"
                          "QGroupBox::title { subcontrol-origin: margin; left: %2px;"
                          " padding: 0px 2px; }")
                      .arg(units.BaseY() / 2)
                      .arg(units.X(4)));
    m_formSize = units.Rect(0, 0, kFormWidth, kFormHeight).size();
    setFixedSize(m_formSize);

    units.Place(new QGroupBox("Time Today", this), 7, 7, 154, 40);
    m_todayFirst = AddStatic(this, units, "TodayFirst", "", Qt::AlignLeft, 13, 18, 131, 8);
    m_todaySecond = AddStatic(this, units, "TodaySecond", "", Qt::AlignLeft, 13, 30, 131, 8);
    units.Place(new QGroupBox("Time This Billing Period", this), 172, 7, 167, 40);
    m_periodFirst = AddStatic(this, units, "PeriodFirst", "", Qt::AlignLeft, 184, 19, 145, 8);
    m_periodSecond = AddStatic(this, units, "PeriodSecond", "", Qt::AlignLeft, 184, 31, 145, 8);
    AddStatic(this, units, "DailyLabel", "Daily Elapsed Time", Qt::AlignHCenter, 11, 51, 146, 8);
    AddStatic(this, units, "RawLabel", "Raw Time Data", Qt::AlignHCenter, 179, 51, 146, 8);
    m_dailyList = AddList(this, units, "DailyList", m_rows.Daily(), 7, 66, 155, 127);
    m_rawList = AddList(this, units, "RawList", m_rows.Raw(), 170, 66, 169, 127);
    m_dailyList->setAccessibleName("Daily Elapsed Time");
    m_rawList->setAccessibleName("Raw Time Data");
    // Every scan, whatever started it, ends in a reset of both models.
    for (QTreeView* list : {m_dailyList, m_rawList}) {
        connect(list->model(), &QAbstractItemModel::modelReset, list,
                [list] { SelectLastRow(list); });
    }
}

void CQFTBView::SetColumnWidths() {
    const auto daily = DailyColumnWidths(m_dailyList->maximumViewportSize().width(), kCursorWidth);
    for (int column = 0; column < static_cast<int>(daily.size()); ++column) {
        m_dailyList->setColumnWidth(column, daily[column]);
    }
    const auto raw = RawColumnWidths(m_rawList->maximumViewportSize().width(), kCursorWidth);
    for (int column = 0; column < static_cast<int>(raw.size()); ++column) {
        m_rawList->setColumnWidth(column, raw[column]);
    }
}

void CQFTBView::ShowTotalsTexts() {
    const TotalsTexts& texts = m_engine.Texts();
    m_todayFirst->setText(QString::fromStdString(texts.todayFirst));
    m_todaySecond->setText(QString::fromStdString(texts.todaySecond));
    m_periodFirst->setText(QString::fromStdString(texts.periodFirst));
    m_periodSecond->setText(QString::fromStdString(texts.periodSecond));
}

}  // namespace tally
