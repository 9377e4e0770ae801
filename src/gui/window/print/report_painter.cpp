// SPDX-License-Identifier: MIT
#include "window/print/report_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <array>

#include "window/print/report_layout.h"

namespace tally {
namespace {

constexpr int kReportPointSize = 10;
constexpr qreal kMarginMillimetres = 20;

bool IsListLine(const ReportLine& line) {
    return line.kind == ReportLineKind::ColumnTitles || line.kind == ReportLineKind::Day ||
           line.kind == ReportLineKind::Separator;
}

struct ListColumns {
    std::array<int, DailyRow::kColumns> starts{};
    int right = 0;  // where the widest text of the last column ends
};

// Where each column of the list starts: after the widest text of the column before it.
ListColumns PlaceColumns(const std::vector<ReportLine>& lines, const QFontMetrics& metrics) {
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
    ListColumns columns;
    for (std::size_t column = 1; column < widths.size(); ++column) {
        columns.starts[column] = columns.starts[column - 1] + widths[column - 1] + gap;
    }
    columns.right = columns.starts.back() + widths.back();
    return columns;
}

class PagePainter {
  public:
    PagePainter(QPainter& painter, const QFontMetrics& metrics, int pageWidth,
                const ListColumns& columns)
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
                for (std::size_t column = 0; column < columns_.starts.size(); ++column) {
                    painter_.drawText(columns_.starts[column], baseline,
                                      QString::fromStdString(line.cells[column]));
                }
                if (line.kind == ReportLineKind::ColumnTitles) {
                    const int rule = baseline + metrics_.descent();
                    painter_.drawLine(0, rule, columns_.right, rule);
                }
                return;
        }
    }

    QPainter& painter_;
    const QFontMetrics& metrics_;
    int width_;
    ListColumns columns_;
    QFont bold_;
};

}  // namespace

QFont ReportFont() {
    return QFont(QStringLiteral("DejaVu Sans"), kReportPointSize);
}

void UseReportMargins(QPrinter& printer) {
    printer.setPageMargins(
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
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
    PagePainter pagePainter(painter, metrics, printer.width(), PlaceColumns(lines, metrics));
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0 && !printer.newPage()) return false;
        pagePainter.Draw(pages[n], linesPerPage);
    }
    return painter.end();
}

}  // namespace tally
