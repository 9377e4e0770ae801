// SPDX-License-Identifier: MIT
#pragma once
// Draws the engine's hours chart with Qt Charts: the days as one bar per day, coloured by
// billing period, with a line between periods and one at the average day; weeks and months as
// a single bar set on an axis marked by years, so that a century of weeks stays cheap to draw.

#include <QAbstractBarSeries>
#include <QChart>

#include "reports/chart_data.h"

namespace tally {

struct ChartScene {
    QChart* chart = nullptr;             // new; owned by the view that shows it
    QAbstractBarSeries* bars = nullptr;  // in chart: its hovered signal names the bar
};

ChartScene MakeChartScene(const HoursChart& chart, ChartSpan span);

}  // namespace tally
