#include "ui/print/report_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <array>

#include "ui/print/report_layout.h"

namespace tally {
namespace {

constexpr int kReportPointSize = 10;

bool IsListLine(const ReportLine& line) {
    return line.kind == ReportLineKind::ColumnTitles || line.kind == ReportLineKind::Day ||
           line.kind == ReportLineKind::Separator;
}

// Where each column of the list starts: after the widest text of the column before it.
std::array<int, DailyRow::kColumns> ColumnStarts(const std::vector<ReportLine>& lines,
                                                 const QFontMetrics& metrics) {
    std::array<int, DailyRow::kColumns> widths{};
    for (const ReportLine& line : lines) {
        if (!IsListLine(line)) continue;
        for (std::size_t column = 0; column < widths.size(); ++column) {
            widths[column] =
                std::max(widths[column],
                         metrics.horizontalAdvance(QString::fromStdString(line.cells[column])));
        }
    }
    const int gap = metrics.horizontalAdvance(QStringLiteral("MMMM"));
    std::array<int, DailyRow::kColumns> starts{};
    for (std::size_t column = 1; column < starts.size(); ++column) {
        starts[column] = starts[column - 1] + widths[column - 1] + gap;
    }
    return starts;
}

class PagePainter {
  public:
    PagePainter(QPainter& painter, const QFontMetrics& metrics, int pageWidth,
                std::array<int, DailyRow::kColumns> columns)
        : painter_(painter), metrics_(metrics), width_(pageWidth), columns_(columns) {
        bold_ = painter.font();
        bold_.setBold(true);
    }

    void Draw(const ReportPage& page, int linesPerPage) {
        int top = 0;
        for (const ReportLine& line : page.lines) {
            DrawLine(line, top);
            top += metrics_.lineSpacing();
        }
        const QRect footer(0, (linesPerPage - 1) * metrics_.lineSpacing(), width_,
                           metrics_.lineSpacing());
        painter_.drawText(footer, Qt::AlignHCenter | Qt::AlignTop,
                          QString::fromStdString(page.footer));
    }

  private:
    void DrawLine(const ReportLine& line, int top) {
        const int baseline = top + metrics_.ascent();
        const QFont plain = painter_.font();
        switch (line.kind) {
            case ReportLineKind::Blank:
                return;
            case ReportLineKind::Title:
            case ReportLineKind::Heading:
                painter_.setFont(bold_);
                painter_.drawText(0, baseline, QString::fromStdString(line.cells[0]));
                painter_.setFont(plain);
                return;
            case ReportLineKind::Text:
                // A long path keeps its start and its file name.
                painter_.drawText(0, baseline,
                                  metrics_.elidedText(QString::fromStdString(line.cells[0]),
                                                      Qt::ElideMiddle, width_));
                return;
            case ReportLineKind::ColumnTitles:
            case ReportLineKind::Day:
            case ReportLineKind::Separator:
                for (std::size_t column = 0; column < columns_.size(); ++column) {
                    painter_.drawText(columns_[column], baseline,
                                      QString::fromStdString(line.cells[column]));
                }
                if (line.kind == ReportLineKind::ColumnTitles) {
                    const int rule = baseline + metrics_.descent();
                    painter_.drawLine(0, rule, width_, rule);
                }
                return;
        }
    }

    QPainter& painter_;
    const QFontMetrics& metrics_;
    int width_;
    std::array<int, DailyRow::kColumns> columns_;
    QFont bold_;
};

}  // namespace

QFont ReportFont() {
    return QFont(QStringLiteral("DejaVu Sans"), kReportPointSize);
}

int ReportLinesPerPage(QPrinter& printer) {
    const QFontMetrics metrics(ReportFont(), &printer);
    return LinesPerPage(printer.height(), metrics.lineSpacing());
}

bool PaintReport(QPrinter& printer, const std::vector<ReportLine>& lines) {
    const int linesPerPage = std::max(ReportLinesPerPage(printer), kMinimumLinesPerPage);
    const std::vector<ReportPage> pages = LayoutReport(lines, linesPerPage);

    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(ReportFont());
    const QFontMetrics metrics(ReportFont(), &printer);
    PagePainter pagePainter(painter, metrics, printer.width(), ColumnStarts(lines, metrics));
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0 && !printer.newPage()) return false;
        pagePainter.Draw(pages[n], linesPerPage);
    }
    return painter.end();
}

}  // namespace tally
