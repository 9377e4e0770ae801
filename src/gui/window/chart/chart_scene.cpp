// SPDX-License-Identifier: MIT
#include "window/chart/chart_scene.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

namespace tally {
namespace {

// At most about this many year labels under the weeks or months; more would overlap.
constexpr int kMostYearLabels = 12;

double TallestBar(const HoursChart& chart) {
    double tallest = chart.averageHours.value_or(0.0);
    for (const ChartBar& bar : chart.bars) tallest = std::max(tallest, bar.hours);
    return tallest;
}

QValueAxis* AddHoursAxis(QChart* scene, const HoursChart& chart) {
    auto* axis = new QValueAxis;
    axis->setTitleText(QString::fromStdString(chart.valueTitle));
    axis->setLabelFormat("%.0f");
    axis->setRange(0.0, std::max(1.0, TallestBar(chart) * 1.1));
    axis->applyNiceNumbers();
    scene->addAxis(axis, Qt::AlignLeft);
    return axis;
}

// A straight line through two points that the legend leaves out unless it has a name.
QLineSeries* AddLine(QChart* scene, QPointF from, QPointF to, const QPen& pen,
                     const QString& name = {}) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->setPen(pen);
    line->append(from);
    line->append(to);
    scene->addSeries(line);
    if (name.isEmpty()) {
        for (QLegendMarker* marker : scene->legend()->markers(line)) marker->setVisible(false);
    }
    return line;
}

void Attach(QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    series->attachAxis(x);
    series->attachAxis(y);
}

// One bar set per billing period, stacked, so that each day's bar has its period's colour
// at full width.
ChartScene DayScene(const HoursChart& chart) {
    ChartScene scene{new QChart, new QStackedBarSeries};
    auto* categories = new QBarCategoryAxis;
    QStringList labels;
    for (const ChartBar& bar : chart.bars) labels << QString::fromStdString(bar.label);
    categories->append(labels);
    categories->setLabelsAngle(-90);
    for (int group = 0; group < static_cast<int>(chart.groups.size()); ++group) {
        auto* set = new QBarSet(QString::fromStdString(chart.groups[group]));
        for (const ChartBar& bar : chart.bars) set->append(bar.group == group ? bar.hours : 0.0);
        scene.bars->append(set);
    }
    scene.bars->setBarWidth(0.8);
    scene.chart->addSeries(scene.bars);
    scene.chart->addAxis(categories, Qt::AlignBottom);
    QValueAxis* hours = AddHoursAxis(scene.chart, chart);
    Attach(scene.bars, categories, hours);

    const double right = static_cast<double>(chart.bars.size()) - 0.5;
    for (std::size_t i = 1; i < chart.bars.size(); ++i) {
        if (chart.bars[i].group == chart.bars[i - 1].group) continue;
        const double x = static_cast<double>(i) - 0.5;
        Attach(AddLine(scene.chart, {x, 0.0}, {x, hours->max()}, QPen(Qt::gray, 1, Qt::DashLine)),
               categories, hours);
    }
    if (chart.averageHours && !chart.bars.empty()) {
        Attach(AddLine(scene.chart, {-0.5, *chart.averageHours}, {right, *chart.averageHours},
                       QPen(QColor(200, 40, 40), 2), QString::fromStdString(chart.averageText)),
               categories, hours);
    }
    return scene;
}

// Every bar on one set; the axis under them names only the years.
ChartScene BucketScene(const HoursChart& chart, ChartSpan span) {
    ChartScene scene{new QChart, new QBarSeries};
    auto* set = new QBarSet(span == ChartSpan::Weeks ? "Hours per week" : "Hours per month");
    set->setPen(Qt::NoPen);  // an outline would hide bars narrower than a pixel
    QList<qreal> hours;
    hours.reserve(static_cast<qsizetype>(chart.bars.size()));
    for (const ChartBar& bar : chart.bars) hours << bar.hours;
    set->append(hours);
    scene.bars->append(set);
    scene.bars->setBarWidth(0.9);
    scene.chart->addSeries(scene.bars);

    auto* years = new QCategoryAxis;
    years->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    years->setRange(-0.5, std::max(0.5, static_cast<double>(chart.bars.size()) - 0.5));
    const std::size_t step = chart.marks.size() / kMostYearLabels + 1;
    for (std::size_t i = 0; i < chart.marks.size(); i += step) {
        years->append(QString::fromStdString(chart.marks[i].label), chart.marks[i].bar - 0.5);
    }
    scene.chart->addAxis(years, Qt::AlignBottom);
    Attach(scene.bars, years, AddHoursAxis(scene.chart, chart));
    return scene;
}

}  // namespace

ChartScene MakeChartScene(const HoursChart& chart, ChartSpan span) {
    ChartScene scene = span == ChartSpan::Days ? DayScene(chart) : BucketScene(chart, span);
    QLegend* legend = scene.chart->legend();
    legend->setAlignment(Qt::AlignBottom);
    // The legend shares its line equally: four names with totals and amounts need a smaller font.
    QFont font = legend->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    legend->setFont(font);
    return scene;
}

}  // namespace tally
