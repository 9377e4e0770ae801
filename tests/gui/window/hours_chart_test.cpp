// SPDX-License-Identifier: MIT
// The Hours Chart window: what View > Hours Chart draws from the window's scan, the choice of
// days, weeks or months, the text of the bar pointed at, and a chart that follows every scan.

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QLineSeries>
#include <QRadioButton>
#include <QStackedBarSeries>

#include "basics/command_ids.h"
#include "log_text.h"
#include "window/chart/hours_chart_wnd.h"
#include "window_harness.h"

namespace tally::test {
namespace {

// Wednesday 10 January to Thursday 8 February 2024, 8 hours a day, and two and a half hours
// more on the last day: half-month periods Jan 10-15, Jan 16-31 and Feb 1-8.
const std::string kThirtyDays =
    WorkingDays(2024, 1, 10, 30) + Triple("2024-02-08 18:00:00", "2024-02-08 20:30:00");

QAbstractBarSeries* Bars(const CHoursChartWnd& chart) {
    for (QAbstractSeries* series : chart.ChartView()->chart()->series()) {
        if (auto* bars = qobject_cast<QAbstractBarSeries*>(series)) return bars;
    }
    return nullptr;
}

// The height of each bar as drawn: the values of its sets stacked.
std::vector<double> Heights(const CHoursChartWnd& chart) {
    std::vector<double> heights;
    const QAbstractBarSeries* bars = Bars(chart);
    if (bars == nullptr) return heights;
    for (const QBarSet* set : bars->barSets()) {
        heights.resize(std::max<std::size_t>(heights.size(), set->count()));
        for (int i = 0; i < set->count(); ++i) heights[i] += set->at(i);
    }
    return heights;
}

std::vector<double> EightHoursAndLast(int days, double last) {
    std::vector<double> heights(days, 8.0);
    heights.back() = last;
    return heights;
}

QStringList NamedLines(const CHoursChartWnd& chart) {
    QStringList names;
    for (QAbstractSeries* series : chart.ChartView()->chart()->series()) {
        if (qobject_cast<QLineSeries*>(series) != nullptr) names << series->name();
    }
    return names;
}

void Choose(CHoursChartWnd& chart, const QString& text) {
    for (QRadioButton* button : chart.findChildren<QRadioButton*>()) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no choice " << text.toStdString();
}

void Point(CHoursChartWnd& chart, int bar) {
    QAbstractBarSeries* bars = Bars(chart);
    ASSERT_NE(bars, nullptr);
    emit bars->hovered(bar >= 0, std::max(bar, 0), bars->barSets().front());
}

class HoursChart : public testing::Test {
  protected:
    // The chart as View > Hours Chart opens it.
    CHoursChartWnd& Open() {
        w.Trigger(ID_VIEW_HOURS_CHART);
        CHoursChartWnd* chart = w.View().HoursChart();
        EXPECT_NE(chart, nullptr);
        return *chart;
    }

    WindowHarness w;
};

TEST_F(HoursChart, opensBesideTheWindowWithTheDaysOfTheLastThreePeriods) {
    w.WriteLog(kThirtyDays);
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.View().HoursChart(), nullptr);
    CHoursChartWnd& chart = Open();
    EXPECT_TRUE(chart.isVisible());
    EXPECT_TRUE(chart.isWindow());
    EXPECT_EQ(chart.windowModality(), Qt::NonModal);
    EXPECT_EQ(chart.windowTitle(), "Hours Chart");

    EXPECT_EQ(Heights(chart), EightHoursAndLast(30, 10.5));
    EXPECT_EQ(Bars(chart)->barSets().size(), 3);
    auto* days =
        qobject_cast<QBarCategoryAxis*>(chart.ChartView()->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->categories().front(), "Jan 10");
    EXPECT_EQ(days->categories().back(), "Feb 08");
    // The average day of the totals boxes (242:30:00 / 30), and a line between periods.
    EXPECT_EQ(NamedLines(chart), (QStringList{"", "", "Average day 8:05:00"}));
    EXPECT_TRUE(w.Text("TodaySecond").endsWith("= 8:05:00"));

    // Opening it again brings up the same window.
    w.Trigger(ID_VIEW_HOURS_CHART);
    EXPECT_EQ(w.View().HoursChart(), &chart);
}

TEST_F(HoursChart, switchesBetweenDaysWeeksAndMonthsOfTheWholeLog) {
    w.WriteLog(kThirtyDays);
    ASSERT_TRUE(w.Start());
    CHoursChartWnd& chart = Open();
    struct Case {
        const char* choice;
        ChartSpan span;
        std::vector<double> heights;
    } const cases[] = {
        // Weeks from Sunday: Jan 7, 14, 21, 28 and Feb 4.
        {"By &week", ChartSpan::Weeks, {32, 56, 56, 56, 42.5}},
        {"By &month", ChartSpan::Months, {176, 66.5}},
        {"&Days of the last three billing periods", ChartSpan::Days, EightHoursAndLast(30, 10.5)},
    };
    for (const Case& c : cases) {
        Choose(chart, c.choice);
        EXPECT_EQ(chart.Span(), c.span) << c.choice;
        EXPECT_EQ(Heights(chart), c.heights) << c.choice;
        const bool byYear = c.span != ChartSpan::Days;
        auto* years =
            qobject_cast<QCategoryAxis*>(chart.ChartView()->chart()->axes(Qt::Horizontal).value(0));
        EXPECT_EQ(years != nullptr, byYear) << c.choice;
        if (years != nullptr) {
            EXPECT_EQ(years->categoriesLabels(), QStringList{"2024"}) << c.choice;
        }
        EXPECT_EQ(chart.ChartView()->rubberBand() == QChartView::HorizontalRubberBand, byYear)
            << c.choice;
    }
}

TEST_F(HoursChart, pointingAtABarShowsItsDateTimeAndAmount) {
    w.store->StoreOption("ShowDollars", 1);
    w.store->StoreOption("Rate", "20");
    w.WriteLog(kThirtyDays);
    ASSERT_TRUE(w.Start());
    CHoursChartWnd& chart = Open();
    EXPECT_EQ(chart.PointedText(), "Point at a bar to see its day, time and amount.");
    Point(chart, 29);
    EXPECT_EQ(chart.PointedText(), "Thu Feb 08, 2024: 10:30:00 (210.00)");
    Point(chart, -1);
    EXPECT_EQ(chart.PointedText(), "Point at a bar to see its day, time and amount.");
    EXPECT_EQ(NamedLines(chart).back(), "Average day 8:05:00 (161.67)");

    chart.SetSpan(ChartSpan::Months);
    Point(chart, 1);
    EXPECT_EQ(chart.PointedText(), "Feb 2024: 66:30:00 (1330.00), 8 days worked");
}

TEST_F(HoursChart, followsEveryScanWhileItIsShown) {
    w.WriteLog(kThirtyDays);
    ASSERT_TRUE(w.Start());
    CHoursChartWnd& chart = Open();

    // A punch in the window: Monday 4 March opens a fourth period, the first drops out.
    w.clock.SetLocal(2024, 3, 4, 9, 0, 0);
    w.Trigger(ID_CLOCK_IN);
    w.clock.SetLocal(2024, 3, 4, 12, 15, 0);
    w.Trigger(ID_CLOCK_OUT);
    std::vector<double> heights = EightHoursAndLast(16 + 8 + 1, 3.25);
    heights[23] = 10.5;
    EXPECT_EQ(Heights(chart), heights);
    Point(chart, 24);
    EXPECT_EQ(chart.PointedText(), "Mon Mar 04, 2024: 3:15:00");

    // Another program's punch, read on the next tick.
    std::string log = w.ReadLog();
    log += Triple("2024-03-05 08:00:00", "2024-03-05 09:00:00");
    WriteFile(w.LogPath(), log);
    w.Tick();
    EXPECT_EQ(Heights(chart).back(), 1.0);

    // A closed chart is not drawn again; opened, it shows the latest scan.
    chart.close();
    w.clock.SetLocal(2024, 3, 5, 10, 0, 0);
    w.Trigger(ID_CLOCK_IN);
    w.clock.SetLocal(2024, 3, 5, 12, 0, 0);
    w.Trigger(ID_CLOCK_OUT);
    EXPECT_EQ(Heights(chart).back(), 1.0);
    Open();
    EXPECT_EQ(Heights(chart).back(), 3.0);
}

TEST_F(HoursChart, saysSoWhenTheLogHoldsNoTime) {
    ASSERT_TRUE(w.Start());
    CHoursChartWnd& chart = Open();
    EXPECT_TRUE(Heights(chart).empty());
    EXPECT_EQ(chart.ChartView()->chart()->title(), "The time log holds no time yet.");
    w.clock.SetLocal(2024, 3, 4, 9, 0, 0);
    w.Trigger(ID_CLOCK_IN);
    w.clock.SetLocal(2024, 3, 4, 10, 0, 0);
    w.Trigger(ID_CLOCK_OUT);
    EXPECT_EQ(Heights(chart), std::vector<double>{1.0});
    EXPECT_TRUE(chart.ChartView()->chart()->title().isEmpty());
}

}  // namespace
}  // namespace tally::test
