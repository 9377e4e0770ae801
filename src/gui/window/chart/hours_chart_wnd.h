// SPDX-License-Identifier: MIT
#pragma once
// The Hours Chart window (View > Hours Chart): bars of the hours worked per day over the last
// three billing periods, or per week or month over the whole log. It does not block the main
// window; the main window hands it each new scan while it is shown.

#include <QWidget>
#include <vector>

#include "reports/chart_data.h"

class QChartView;
class QLabel;
class QRadioButton;

namespace tally {

class CHoursChartWnd : public QWidget {
    Q_OBJECT

  public:
    explicit CHoursChartWnd(QWidget* owner);

    // The days and state of the window's latest scan, and the settings it ran with.
    void ShowScan(std::vector<ScannedDay> days, const ScanState& scan,
                  const CurrentSettings& settings);
    void SetSpan(ChartSpan span);
    ChartSpan Span() const { return span_; }

    // What is drawn now, and the chart that draws it.
    const HoursChart& Bars() const { return bars_; }
    QChartView* ChartView() const { return view_; }
    // The text under the chart: the bar pointed at, or how to point at one.
    QString PointedText() const;

  private:
    void Redraw();
    void ShowPointed(int bar);

    std::vector<ScannedDay> days_;
    ScanState scan_;
    CurrentSettings settings_;
    ChartSpan span_ = ChartSpan::Days;
    HoursChart bars_;

    QRadioButton* byDay_ = nullptr;
    QRadioButton* byWeek_ = nullptr;
    QRadioButton* byMonth_ = nullptr;
    QChartView* view_ = nullptr;
    QLabel* pointed_ = nullptr;
};

}  // namespace tally
