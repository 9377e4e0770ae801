// SPDX-License-Identifier: MIT
#include "dialogs/options_dlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "basics/dialog_units.h"

namespace tally {
namespace {

// Checks the radio at index, or none for an index outside the group.
template <std::size_t N>
void SelectRadio(const std::array<QRadioButton*, N>& radios, int index) {
    for (std::size_t i = 0; i < N; ++i) {
        // An exclusive group never lets its checked radio go: lift that while setting.
        radios[i]->setAutoExclusive(false);
        radios[i]->setChecked(static_cast<int>(i) == index);
        radios[i]->setAutoExclusive(true);
    }
}

template <std::size_t N>
int IndexOfValue(const std::array<int, N>& values, int value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (values[i] == value) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

COptionsDlg::COptionsDlg(QWidget* parent) : QDialog(parent), chooseFile_(ChooseDataFile) {
    values_.ShowDollars = false;
    values_.PeriodType = 0;
    values_.RoundingType = kRoundNone;
    values_.RoundingUnit = 0;
    values_.WeekStartDay = 0;
    setWindowTitle("Options");
    setFont(DialogFont());
    CreateControls();
    ConnectHandlers();
    SetValues(values_);
}

void COptionsDlg::CreateControls() {
    const DialogUnits units;
    setFixedSize(units.X(236), units.Y(278));

    // Radios are no tab stops: the keyboard reaches a group through its box's mnemonic
    // and moves within it with the arrow keys.
    auto radioGroup = [&](const char* title, int x, int y, int width, int height) {
        auto* box = new QGroupBox(title, this);
        units.Place(box, x, y, width, height);
        box->installEventFilter(this);
        return box;
    };
    auto radio = [&](QGroupBox* box, const char* text, int x, int y, int width) {
        auto* button = new QRadioButton(text, box);
        units.PlaceInFrame(button, box, x, y, width, 10);
        button->setFocusPolicy(Qt::ClickFocus);
        button->installEventFilter(this);
        return button;
    };

    QGroupBox* days = radioGroup("&First Day Of The Week", 7, 7, 100, 127);
    const char* dayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                               "Thursday", "Friday", "Saturday"};
    const int dayWidths[7] = {40, 41, 43, 54, 45, 35, 44};
    for (int i = 0; i < 7; ++i)
        dayRadios_[i] = radio(days, dayNames[i], 16, 21 + 16 * i, dayWidths[i]);

    QGroupBox* type = radioGroup("Rounding &Type", 121, 7, 108, 65);
    typeRadios_ = {radio(type, "None", 133, 20, 33), radio(type, "All Elapsed Times", 133, 33, 71),
                   radio(type, "In/Out Times", 133, 46, 57),
                   radio(type, "Daily Elapsed Times", 133, 59, 79)};

    QGroupBox* unit = radioGroup("Round To &Nearest", 121, 75, 108, 57);
    unitRadios_ = {radio(unit, "Minute", 133, 91, 37), radio(unit, "15 Minutes", 133, 105, 51),
                   radio(unit, "Half Hour", 133, 119, 46)};

    auto* rate = new QGroupBox("Rate", this);
    units.Place(rate, 7, 139, 98, 49);
    showDollars_ = new QCheckBox("&Show Dollars", rate);
    units.PlaceInFrame(showDollars_, rate, 13, 153, 57, 10);
    rateLabel_ = new QLabel("&Rate:", rate);
    units.PlaceInFrame(rateLabel_, rate, 13, 170, 18, 8);
    rateBox_ = new QLineEdit(rate);
    rateBox_->setObjectName("rateBox");
    units.PlaceInFrame(rateBox_, rate, 39, 168, 40, 14);
    rateLabel_->setBuddy(rateBox_);

    QGroupBox* period = radioGroup("Display Time &Period", 121, 142, 108, 46);
    periodRadios_ = {radio(period, "Weekly", 133, 156, 40),
                     radio(period, "Half A Month", 133, 171, 57)};

    auto* dataFile = new QGroupBox("&Data File", this);
    units.Place(dataFile, 7, 193, 222, 40);
    dataFileBox_ = new QLineEdit(dataFile);
    dataFileBox_->setObjectName("dataFileBox");
    units.PlaceInFrame(dataFileBox_, dataFile, 14, 208, 173, 14);
    browse_ = new QPushButton("&...", dataFile);
    units.PlaceInFrame(browse_, dataFile, 197, 206, 18, 14);

    auto* ok = new QPushButton("OK", this);
    units.Place(ok, 81, 257, 50, 14);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    units.Place(cancel, 147, 257, 50, 14);
    connect(ok, &QPushButton::clicked, this, &COptionsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &COptionsDlg::reject);

    // The first tab stop has the focus when the dialog opens.
    showDollars_->setFocus();
}

void COptionsDlg::ConnectHandlers() {
    // The radios stand in the order of the values tally config takes too.
    for (std::size_t i = 0; i < dayRadios_.size(); ++i) {
        connect(dayRadios_[i], &QRadioButton::clicked, this,
                [this, i] { values_.WeekStartDay = kWeekStartDays.at(i); });
    }
    for (std::size_t i = 0; i < typeRadios_.size(); ++i) {
        connect(typeRadios_[i], &QRadioButton::clicked, this, [this, i] {
            values_.RoundingType = kRoundingTypes.at(i);
            Refresh();
        });
    }
    for (std::size_t i = 0; i < unitRadios_.size(); ++i) {
        connect(unitRadios_[i], &QRadioButton::clicked, this,
                [this, i] { values_.RoundingUnit = kRoundingUnits.at(i); });
    }
    for (std::size_t i = 0; i < periodRadios_.size(); ++i) {
        connect(periodRadios_[i], &QRadioButton::clicked, this,
                [this, i] { values_.PeriodType = kPeriodTypes.at(i); });
    }
    connect(showDollars_, &QCheckBox::clicked, this, &COptionsDlg::OnShowDollars);
    connect(browse_, &QPushButton::clicked, this, &COptionsDlg::OnBrowse);
}

void COptionsDlg::SetValues(const OptionValues& values) {
    values_ = values;
    PutExchangedValues();
    SelectRadio(dayRadios_, IndexOfValue(kWeekStartDays, values_.WeekStartDay));
    SelectRadio(unitRadios_, IndexOfValue(kRoundingUnits, values_.RoundingUnit));
    SelectRadio(typeRadios_, IndexOfValue(kRoundingTypes, values_.RoundingType));
    Refresh();
    SelectRadio(periodRadios_, IndexOfValue(kPeriodTypes, values_.PeriodType));
}

void COptionsDlg::PutExchangedValues() {
    showDollars_->setChecked(values_.ShowDollars);
    rateBox_->setText(values_.Rate);
    dataFileBox_->setText(values_.DataLog);
}

void COptionsDlg::TakeExchangedValues() {
    values_.ShowDollars = showDollars_->isChecked();
    values_.Rate = rateBox_->text();
    values_.DataLog = dataFileBox_->text();
}

void COptionsDlg::Refresh() {
    for (QRadioButton* radio : unitRadios_) radio->setEnabled(values_.RoundingType != kRoundNone);
    rateLabel_->setVisible(values_.ShowDollars);
    rateBox_->setVisible(values_.ShowDollars);
}

void COptionsDlg::OnShowDollars() {
    TakeExchangedValues();
    Refresh();
}

void COptionsDlg::OnBrowse() {
    // Taken first, so the chooser starts from the path in the box and a rate typed since
    // the last exchange survives the browse.
    TakeExchangedValues();
    if (const std::optional<QString> chosen = chooseFile_(values_.DataLog)) {
        values_.DataLog = *chosen;
        PutExchangedValues();
    }
}

void COptionsDlg::accept() {
    TakeExchangedValues();
    QDialog::accept();
}

bool COptionsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        if (auto* box = qobject_cast<QGroupBox*>(watched)) {
            QRadioButton* target = nullptr;
            for (QRadioButton* radio : box->findChildren<QRadioButton*>()) {
                if (!radio->isEnabled()) continue;
                if (target == nullptr || (radio->isChecked() && !target->isChecked()))
                    target = radio;
            }
            if (target != nullptr) target->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Qt makes a focused radio of an exclusive group a tab stop; these are none.
        if (auto* radio = qobject_cast<QRadioButton*>(watched))
            radio->setFocusPolicy(Qt::ClickFocus);
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<QString> ChooseDataFile(const QString& initialName) {
    QFileDialog dialog(nullptr);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The file need not exist: a new time log is created by the first punch.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix("dat");
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

}  // namespace tally
