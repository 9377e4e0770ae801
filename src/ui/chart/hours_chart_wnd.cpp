#include "ui/chart/hours_chart_wnd.h"

#include <QBarSet>
#include <QButtonGroup>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "ui/chart/chart_scene.h"

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

    m_byDay = new QRadioButton("&Days of the last three billing periods", this);
    m_byWeek = new QRadioButton("By &week", this);
    m_byMonth = new QRadioButton("By &month", this);
    m_byDay->setChecked(true);
    auto* spans = new QButtonGroup(this);
    spans->addButton(m_byDay, static_cast<int>(ChartSpan::Days));
    spans->addButton(m_byWeek, static_cast<int>(ChartSpan::Weeks));
    spans->addButton(m_byMonth, static_cast<int>(ChartSpan::Months));
    connect(spans, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) SetSpan(static_cast<ChartSpan>(id));
    });

    m_view = new QChartView(this);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_pointed = new QLabel(this);
    m_pointed->setObjectName("PointedBar");
    m_pointed->setTextFormat(Qt::PlainText);

    auto* choices = new QHBoxLayout;
    for (QRadioButton* choice : {m_byDay, m_byWeek, m_byMonth}) choices->addWidget(choice);
    choices->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_pointed);
    Redraw();
}

void CHoursChartWnd::ShowScan(std::vector<ScannedDay> days, const ScanState& scan,
                              const CurrentSettings& settings) {
    m_days = std::move(days);
    m_scan = scan;
    m_settings = settings;
    Redraw();
}

void CHoursChartWnd::SetSpan(ChartSpan span) {
    if (span == m_span) return;
    m_span = span;
    QRadioButton* choice = span == ChartSpan::Days    ? m_byDay
                           : span == ChartSpan::Weeks ? m_byWeek
                                                      : m_byMonth;
    choice->setChecked(true);
    Redraw();
}

QString CHoursChartWnd::PointedText() const {
    return m_pointed->text();
}

void CHoursChartWnd::Redraw() {
    m_bars = MakeHoursChart(m_days, m_scan, m_settings, m_span);
    const ChartScene scene = MakeChartScene(m_bars, m_span);
    if (m_bars.bars.empty()) scene.chart->setTitle("The time log holds no time yet.");
    connect(scene.bars, &QAbstractBarSeries::hovered, this,
            [this](bool entered, int bar) { ShowPointed(entered ? bar : -1); });
    QChart* previous = m_view->chart();
    m_view->setChart(scene.chart);
    delete previous;  // the view gives up its previous chart without deleting it
    m_view->setRubberBand(m_span == ChartSpan::Days ? QChartView::NoRubberBand
                                                    : QChartView::HorizontalRubberBand);
    ShowPointed(-1);
}

void CHoursChartWnd::ShowPointed(int bar) {
    // The scene answers a tool tip event with the tip of the item under the pointer, hiding
    // any other: the chart itself carries the bar's text while the pointer is on it.
    if (bar < 0 || bar >= static_cast<int>(m_bars.bars.size())) {
        m_pointed->setText(HowToPoint(m_span, m_settings.ShowDollars));
        m_view->chart()->setToolTip({});
        QToolTip::hideText();
        return;
    }
    const QString detail = QString::fromStdString(m_bars.bars[bar].detail);
    m_pointed->setText(detail);
    m_view->chart()->setToolTip(detail);
    QToolTip::showText(QCursor::pos(), detail, m_view);
}

}  // namespace tally
