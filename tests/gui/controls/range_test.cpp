// SPDX-License-Identifier: MIT
// Ranges: set, reported and removed, in both value forms, and what the user can reach.
#include <QTest>

#include <gtest/gtest.h>

#include "picker_test_support.h"

namespace tally::test {
namespace {

class PickerRange : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(owner.picker->SetFormat("MM'/'dd'/'yyyy'"));
        ASSERT_TRUE(owner.picker->SetDateTime(Local(2024, 5, 10, 0, 0, 0)));
        owner.picker->setFocus();
    }

    void StepMonthUp() {
        QTest::keyClick(owner.picker, Qt::Key_Home);
        QTest::keyClick(owner.picker, Qt::Key_Up);
    }

    PickerOwner owner{PickerStyle::UpDown};
    const QDateTime controlMinimum = Local(1752, 9, 14, 0, 0, 0);
    const QDateTime controlMaximum = Local(9999, 12, 31, 23, 59, 59);
};

TEST_F(PickerRange, timeValueLimitsAreReportedBackAndHoldTheUser) {
    const TimeValue minimum = Local(2024, 5, 1, 0, 0, 0).toSecsSinceEpoch();
    const TimeValue maximum = Local(2024, 5, 31, 12, 0, 0).toSecsSinceEpoch();
    ASSERT_TRUE(owner.picker->SetRange(&minimum, &maximum));

    TimeValue reportedMinimum = 0;
    TimeValue reportedMaximum = 0;
    EXPECT_EQ(owner.picker->GetRange(&reportedMinimum, &reportedMaximum), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(reportedMinimum, minimum);
    EXPECT_EQ(reportedMaximum, maximum);

    StepMonthUp();
    EXPECT_LE(owner.picker->dateTime(), Local(2024, 5, 31, 12, 0, 0));
    EXPECT_EQ(owner.picker->text().left(2), "05");
}

TEST_F(PickerRange, oneLimitLeavesTheOtherToTheControl) {
    const QDateTime minimum = Local(2024, 5, 1, 0, 0, 0);
    ASSERT_TRUE(owner.picker->SetRange(&minimum, nullptr));
    QDateTime reportedMinimum;
    QDateTime reportedMaximum;
    EXPECT_EQ(owner.picker->GetRange(&reportedMinimum, &reportedMaximum), GDTR_MIN);
    EXPECT_EQ(reportedMinimum, minimum);
    EXPECT_EQ(reportedMaximum, controlMaximum);

    const QDateTime maximum = Local(2024, 6, 1, 0, 0, 0);
    ASSERT_TRUE(owner.picker->SetRange(nullptr, &maximum));
    EXPECT_EQ(owner.picker->GetRange(&reportedMinimum, &reportedMaximum), GDTR_MAX);
    EXPECT_EQ(reportedMinimum, controlMinimum);
    EXPECT_EQ(reportedMaximum, maximum);
}

TEST_F(PickerRange, twoNullsRemoveBothLimits) {
    const QDateTime minimum = Local(2024, 5, 1, 0, 0, 0);
    const QDateTime maximum = Local(2024, 5, 31, 0, 0, 0);
    ASSERT_TRUE(owner.picker->SetRange(&minimum, &maximum));
    ASSERT_TRUE(owner.picker->SetRange(static_cast<const QDateTime*>(nullptr), nullptr));

    QDateTime reportedMinimum;
    QDateTime reportedMaximum;
    EXPECT_EQ(owner.picker->GetRange(&reportedMinimum, &reportedMaximum), 0u);
    EXPECT_EQ(reportedMinimum, controlMinimum);
    EXPECT_EQ(reportedMaximum, controlMaximum);
    StepMonthUp();
    EXPECT_EQ(owner.picker->text(), "06/10/2024");
}

TEST_F(PickerRange, refusedLimitsChangeNothing) {
    const TimeValue minimum = Local(2024, 5, 1, 0, 0, 0).toSecsSinceEpoch();
    const TimeValue maximum = Local(2024, 5, 31, 0, 0, 0).toSecsSinceEpoch();
    ASSERT_TRUE(owner.picker->SetRange(&minimum, &maximum));

    EXPECT_FALSE(owner.picker->SetRange(&maximum, &minimum));
    const QDateTime invalid;
    const QDateTime later = Local(2030, 1, 1, 0, 0, 0);
    EXPECT_FALSE(owner.picker->SetRange(&invalid, &later));

    TimeValue reportedMinimum = 0;
    TimeValue reportedMaximum = 0;
    EXPECT_EQ(owner.picker->GetRange(&reportedMinimum, &reportedMaximum), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(reportedMinimum, minimum);
    EXPECT_EQ(reportedMaximum, maximum);
}

}  // namespace
}  // namespace tally::test
