// SPDX-License-Identifier: MIT
#include "dialogs/options_dlg.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "dialog_driver.h"
#include "qt_printers.h"
#include "test_support.h"

namespace tally {
namespace {

using test::Click;
using test::FindByText;
using test::Retype;

OptionValues Stored() {
    OptionValues v;
    v.ShowDollars = false;
    v.DataLog = "/home/user/TALLYBK.DAT";
    v.Rate = "42.50";
    v.PeriodType = 1;
    v.RoundingType = 0;
    v.RoundingUnit = 15;
    v.WeekStartDay = 3;
    return v;
}

class OptionsDlgTest : public ::testing::Test {
  protected:
    void Open(const OptionValues& values) {
        dlg.SetValues(values);
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    QRadioButton* Radio(const char* text) { return FindByText<QRadioButton>(dlg, text); }
    QPushButton* Button(const char* text) { return FindByText<QPushButton>(dlg, text); }
    QCheckBox* ShowDollars() { return FindByText<QCheckBox>(dlg, "&Show Dollars"); }
    QLabel* RateLabel() { return FindByText<QLabel>(dlg, "&Rate:"); }
    QLineEdit* RateBox() { return dlg.findChild<QLineEdit*>("rateBox"); }
    QLineEdit* DataFileBox() { return dlg.findChild<QLineEdit*>("dataFileBox"); }
    std::vector<QString> CheckedRadios() {
        std::vector<QString> checked;
        for (QRadioButton* radio : dlg.findChildren<QRadioButton*>()) {
            if (radio->isChecked()) checked.push_back(radio->text());
        }
        return checked;
    }

    COptionsDlg dlg;
};

TEST_F(OptionsDlgTest, startsWithTheConstructionDefaults) {
    const OptionValues& v = dlg.Values();
    EXPECT_FALSE(v.ShowDollars);
    EXPECT_EQ(v.Rate, "");
    EXPECT_EQ(v.DataLog, "");
    EXPECT_EQ(v.PeriodType, 0);
    EXPECT_EQ(v.RoundingType, 0);
    EXPECT_EQ(v.RoundingUnit, 0);
    EXPECT_EQ(v.WeekStartDay, 0);
    EXPECT_EQ(dlg.windowTitle(), "Options");
}

TEST_F(OptionsDlgTest, opensWithTheRadiosAndTextsOfItsValues) {
    OptionValues v = Stored();
    v.RoundingType = 2;
    v.ShowDollars = true;
    Open(v);
    EXPECT_EQ(CheckedRadios(),
              (std::vector<QString>{"Wednesday", "In/Out Times", "15 Minutes", "Half A Month"}));
    EXPECT_EQ(RateBox()->text(), "42.50");
    EXPECT_EQ(DataFileBox()->text(), "/home/user/TALLYBK.DAT");
    EXPECT_TRUE(ShowDollars()->isChecked());
    EXPECT_TRUE(RateBox()->isVisible());
    EXPECT_TRUE(Radio("Minute")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ShowDollars());
}

TEST_F(OptionsDlgTest, valuesOutsideTheirGroupsSelectNothingAndSurviveOk) {
    OptionValues v = Stored();
    v.WeekStartDay = 9;
    v.RoundingType = 5;
    v.RoundingUnit = 0;
    v.PeriodType = 2;
    Open(v);
    EXPECT_TRUE(CheckedRadios().empty());
    Click(Button("OK"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Values().WeekStartDay, 9);
    EXPECT_EQ(dlg.Values().RoundingType, 5);
    EXPECT_EQ(dlg.Values().RoundingUnit, 0);
    EXPECT_EQ(dlg.Values().PeriodType, 2);
}

TEST_F(OptionsDlgTest, unitRadiosFollowTheRoundingTypeAndKeepTheirValue) {
    Open(Stored());
    EXPECT_FALSE(Radio("Minute")->isEnabled());
    EXPECT_FALSE(Radio("15 Minutes")->isEnabled());
    EXPECT_FALSE(Radio("Half Hour")->isEnabled());
    EXPECT_TRUE(Radio("15 Minutes")->isChecked());

    Click(Radio("All Elapsed Times"));
    EXPECT_TRUE(Radio("Minute")->isEnabled());
    EXPECT_TRUE(Radio("Half Hour")->isEnabled());
    Click(Radio("Half Hour"));
    Click(Radio("None"));
    EXPECT_FALSE(Radio("Half Hour")->isEnabled());
    EXPECT_TRUE(Radio("Half Hour")->isChecked());

    Click(Button("OK"));
    EXPECT_EQ(dlg.Values().RoundingType, 0);
    EXPECT_EQ(dlg.Values().RoundingUnit, 30);
}

TEST_F(OptionsDlgTest, aUnitNeverChosenStaysZero) {
    OptionValues v = Stored();
    v.RoundingType = 1;
    v.RoundingUnit = 0;
    Open(v);
    EXPECT_FALSE(Radio("Minute")->isChecked() || Radio("15 Minutes")->isChecked() ||
                 Radio("Half Hour")->isChecked());
    Click(Button("OK"));
    EXPECT_EQ(dlg.Values().RoundingUnit, 0);
}

TEST_F(OptionsDlgTest, rateBoxAndLabelFollowShowDollars) {
    Open(Stored());
    EXPECT_FALSE(RateBox()->isVisible());
    EXPECT_FALSE(RateLabel()->isVisible());
    Click(ShowDollars());
    EXPECT_TRUE(RateBox()->isVisible());
    EXPECT_TRUE(RateLabel()->isVisible());
    Click(ShowDollars());
    EXPECT_FALSE(RateBox()->isVisible());
    EXPECT_FALSE(RateLabel()->isVisible());
    Click(Button("OK"));
    EXPECT_FALSE(dlg.Values().ShowDollars);
    EXPECT_EQ(dlg.Values().Rate, "42.50");
}

TEST_F(OptionsDlgTest, okReadsBackEverythingTheUserChose) {
    Open(Stored());
    Click(Radio("Tuesday"));
    Click(Radio("Daily Elapsed Times"));
    Click(Radio("Minute"));
    Click(Radio("Weekly"));
    Click(ShowDollars());
    Retype(RateBox(), "12.5 an hour");
    Retype(DataFileBox(), "/data/work.dat");
    Click(Button("OK"));

    const OptionValues& v = dlg.Values();
    EXPECT_TRUE(v.ShowDollars);
    EXPECT_EQ(v.Rate, "12.5 an hour");
    EXPECT_EQ(v.DataLog, "/data/work.dat");
    EXPECT_EQ(v.PeriodType, 0);
    EXPECT_EQ(v.RoundingType, 3);
    EXPECT_EQ(v.RoundingUnit, 1);
    EXPECT_EQ(v.WeekStartDay, 2);

    // The view stores them as they are: the typed rate text, and its number.
    test::TempDir dir;
    SettingsStore store(QString::fromStdString(dir.File("options.ini")));
    CurrentSettings settings;
    store.Save(v, settings);
    EXPECT_EQ(store.RateText(), "12.5 an hour");
    EXPECT_DOUBLE_EQ(settings.Rate, 12.5);
    EXPECT_EQ(settings.DataLog, "/data/work.dat");
}

TEST_F(OptionsDlgTest, execEndsWithTheButtonPressed) {
    dlg.SetValues(Stored());
    QTimer::singleShot(0, &dlg, [this] {
        Click(Radio("Monday"));
        Click(Button("Cancel"));
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);

    QTimer::singleShot(0, &dlg, [this] { QTest::keyClick(&dlg, Qt::Key_Return); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
}

TEST_F(OptionsDlgTest, browseShowsTheChosenFileAndKeepsTypedText) {
    QString offered;
    dlg.SetFileChooser([&offered](const QString& initial) -> std::optional<QString> {
        offered = initial;
        return QString("/chosen/log.dat");
    });
    OptionValues v = Stored();
    v.ShowDollars = true;
    Open(v);
    Retype(DataFileBox(), "/typed/path.dat");
    Retype(RateBox(), "99");
    Click(Button("&..."));
    EXPECT_EQ(offered, "/typed/path.dat");
    EXPECT_EQ(DataFileBox()->text(), "/chosen/log.dat");
    EXPECT_EQ(RateBox()->text(), "99");
    Click(Button("OK"));
    EXPECT_EQ(dlg.Values().DataLog, "/chosen/log.dat");
}

TEST_F(OptionsDlgTest, cancelledBrowseChangesNothing) {
    dlg.SetFileChooser([](const QString&) { return std::optional<QString>(); });
    Open(Stored());
    Click(Button("&..."));
    EXPECT_EQ(DataFileBox()->text(), "/home/user/TALLYBK.DAT");
}

TEST_F(OptionsDlgTest, tabVisitsTheTabStopsInTemplateOrderButNoRadio) {
    OptionValues v = Stored();
    v.ShowDollars = true;
    Open(v);
    Click(Radio("Friday"));
    ShowDollars()->setFocus();
    std::vector<QWidget*> chain{ShowDollars()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(chain, (std::vector<QWidget*>{ShowDollars(), RateBox(), DataFileBox(), Button("&..."),
                                            Button("OK"), Button("Cancel"), ShowDollars()}));
}

TEST_F(OptionsDlgTest, aGroupMnemonicFocusesItsSelectedRadio) {
    Open(Stored());
    QTest::keyClick(&dlg, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Radio("Wednesday"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(Radio("Thursday")->isChecked());
    EXPECT_EQ(dlg.Values().WeekStartDay, 4);
}

}  // namespace
}  // namespace tally
