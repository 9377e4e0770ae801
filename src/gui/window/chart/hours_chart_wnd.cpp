// SPDX-License-Identifier: MIT
#include "window/chart/hours_chart_wnd.h"

#include <QBarSet>
#include <QButtonGroup>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "window/chart/chart_scene.h"

namespace tally {
namespace {

QString HowToPoint(ChartSpan span, bool amounts) {
    const QString what = amounts ? ", time and amount" : " and time";
    if (span == ChartSpan::Days) return "Point at a bar to see its day" + what + ".";
    return "Point at a bar to see its dates" + what +
           "; drag across bars to zoom in, right-click to zoom out.";
}

}  // namespace

CHoursChartWnd::CHoursChartWnd(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("HoursChart");
    setWindowTitle("Hours Chart");
    // Wide enough for the legend of the days: three periods with their totals, and the average.
    resize(1000, 560);

    byDay_ = new QRadioButton("&Days of the last three billing periods", this);
    byWeek_ = new QRadioButton("By &week", this);
    byMonth_ = new QRadioButton("By &month", this);
    byDay_->setChecked(true);
    auto* spans = new QButtonGroup(this);
    spans->addButton(byDay_, static_cast<int>(ChartSpan::Days));
    spans->addButton(byWeek_, static_cast<int>(ChartSpan::Weeks));
    spans->addButton(byMonth_, static_cast<int>(ChartSpan::Months));
    connect(spans, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) SetSpan(static_cast<ChartSpan>(id));
    });

    view_ = new QChartView(this);
    view_->setAccessibleName("Hours Chart");
    view_->setAccessibleDescription(
        "Bars of the hours worked; point at one for its date, time and amount");
    view_->setRenderHint(QPainter::Antialiasing);
    pointed_ = new QLabel(this);
    pointed_->setObjectName("PointedBar");
    pointed_->setTextFormat(Qt::PlainText);

    auto* choices = new QHBoxLayout;
    for (QRadioButton* choice : {byDay_, byWeek_, byMonth_}) choices->addWidget(choice);
    choices->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(view_, 1);
    layout->addWidget(pointed_);
    Redraw();
}

void CHoursChartWnd::ShowScan(std::vector<ScannedDay> days, const ScanState& scan,
                              const CurrentSettings& settings) {
    days_ = std::move(days);
    scan_ = scan;
    settings_ = settings;
    Redraw();
}

void CHoursChartWnd::SetSpan(ChartSpan span) {
    if (span == span_) return;
    span_ = span;
    QRadioButton* choice = span == ChartSpan::Days    ? byDay_
                           : span == ChartSpan::Weeks ? byWeek_
                                                      : byMonth_;
    choice->setChecked(true);
    Redraw();
}

QString CHoursChartWnd::PointedText() const {
    return pointed_->text();
}

void CHoursChartWnd::Redraw() {
    bars_ = MakeHoursChart(days_, scan_, settings_, span_);
    const ChartScene scene = MakeChartScene(bars_, span_);
    if (bars_.bars.empty()) scene.chart->setTitle("The time log holds no time yet.");
    connect(scene.bars, &QAbstractBarSeries::hovered, this,
            [this](bool entered, int bar) { ShowPointed(entered ? bar : -1); });
    QChart* previous = view_->chart();
    view_->setChart(scene.chart);
    delete previous;  // the view gives up its previous chart without deleting it
    view_->setRubberBand(span_ == ChartSpan::Days ? QChartView::NoRubberBand
                                                  : QChartView::HorizontalRubberBand);
    ShowPointed(-1);
}

void CHoursChartWnd::ShowPointed(int bar) {
    // The scene answers a tool tip event with the tip of the item under the pointer, hiding
    // any other: the chart itself carries the bar's text while the pointer is on it.
    if (bar < 0 || bar >= static_cast<int>(bars_.bars.size())) {
        pointed_->setText(HowToPoint(span_, settings_.ShowDollars));
        view_->chart()->setToolTip({});
        QToolTip::hideText();
        return;
    }
    const QString detail = QString::fromStdString(bars_.bars[bar].detail);
    pointed_->setText(detail);
    view_->chart()->setToolTip(detail);
    QToolTip::showText(QCursor::pos(), detail, view_);
}

}  // namespace tally
