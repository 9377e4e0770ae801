// SPDX-License-Identifier: MIT
#include "documents/invoice_drawing.h"

#include "documents/factur_x.h"
#include "documents/invoice_texts.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <optional>
#include <vector>

namespace tally {
namespace {

QString Utf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QStringList Lines(const std::string& text) {
    QStringList lines = Utf8(text).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    return lines;
}

// A decimal with the locale's separators and every one of its places, so that the figures
// printed are those the money was computed from.
QString LocalDecimalText(const QLocale& locale, const Decimal& value, int minPlaces) {
    QString c = QString::fromStdString(DecimalText(value, minPlaces));
    const bool negative = c.startsWith(QLatin1Char('-'));
    if (negative) c.remove(0, 1);
    const qsizetype point = c.indexOf(QLatin1Char('.'));
    QString text = locale.toString(c.left(point).toLongLong());
    if (point >= 0) text += locale.decimalPoint() + c.mid(point + 1);
    return negative ? locale.negativeSign() + text : text;
}

QString MoneyText(const QLocale& locale, std::int64_t cents) {
    return LocalDecimalText(locale, {cents, 2}, 2);
}

QString PercentText(const QLocale& locale, double percent) {
    return locale.toString(percent, 'f', QLocale::FloatingPointShortest) + QStringLiteral(" %");
}

constexpr int kColumnCount = 4;     // description, quantity, unit price, amount
constexpr double kCellPadding = 4;  // points at each side of a cell

// The pages are laid out twice: a dry run counts them for the footers, the second paints.
class InvoiceLayout {
  public:
    InvoiceLayout(const InvoiceDocument& doc, QPdfWriter& writer)
        : doc_(doc),
          locale_(InvoiceLocale(doc.language)),
          dateFormat_(Label(PdfText::DateFormat)),
          writer_(writer),
          unit_(writer.resolution() / 72.0),
          width_(writer.width()),
          bottom_(writer.height() - Pt(24)),
          body_(Font(9.5, false)),
          bold_(Font(9.5, true)),
          small_(Font(8, false)),
          title_(Font(20, true)),
          heading_(Font(13, true)),
          line_(QFontMetricsF(body_, &writer).lineSpacing() * 1.15) {}

    // Lays out every page; paints on painter when there is one. Returns the page count.
    int Run(QPainter* painter, int pageCount);

  private:
    QFont Font(double points, bool bold) const {
        QFont f;
        // No ligatures: text copied out of the PDF reads "fi", not one glyph.
        f.setStyleStrategy(QFont::PreferNoShaping);
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }
    double Pt(double points) const { return points * unit_; }
    QString Label(PdfText text) const { return InvoiceLabel(text, doc_.language); }
    // "2 Nov 2026", "2. Nov. 2026": the whole year, as an invoice outlives a century's digits.
    QString DateText(const CalendarDate& d) const {
        return locale_.toString(QDate(d.year, d.month, d.day), dateFormat_);
    }

    void Text(const QFont& font, double x, double y, double w, Qt::Alignment align,
              const QString& text) {
        if (painter_ == nullptr) return;
        painter_->setFont(font);
        const QFontMetricsF metrics(font, &writer_);
        painter_->drawText(QRectF(x, y, w, metrics.lineSpacing() * 1.2),
                           align | Qt::AlignVCenter | Qt::TextSingleLine,
                           metrics.elidedText(text, Qt::ElideRight, w));
    }
    double TextHeight(const QFont& font) const {
        return QFontMetricsF(font, &writer_).lineSpacing() * 1.15;
    }
    // A text that may be longer than the page is wide, such as a client's own exemption
    // note, wraps at its words within the width.
    double ParagraphHeight(const QFont& font, const QString& text) const {
        return QFontMetricsF(font, &writer_)
            .boundingRect(QRectF(0, 0, width_, bottom_), Qt::AlignLeft | Qt::TextWordWrap, text)
            .height();
    }
    void Paragraph(const QFont& font, const QString& text) {
        const double height = ParagraphHeight(font, text);
        if (painter_ != nullptr) {
            painter_->setFont(font);
            painter_->drawText(QRectF(0, y_, width_, height),
                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        }
        y_ += height;
    }
    void NewPage();
    void PageFooter();
    double Blocks();  // issuer, invoice and client blocks; returns their bottom
    using Cells = std::array<QString, kColumnCount>;
    Cells Titles() const;
    Cells RowCells(const MoneyLine& line) const;
    void LayOutColumns();
    void DrawCells(const QFont& font, const Cells& cells);
    void TableHeader();
    void Row(const MoneyLine& line);
    void Totals();
    void Notes();
    void BillingNote();
    void TaxNote();
    double TotalsHeight() const;
    double BillingNoteHeight() const;
    QString LineText(const MoneyLine& line) const;
    double NotesHeight() const;

    const InvoiceDocument& doc_;
    const QLocale locale_;
    const QString dateFormat_;
    QPdfWriter& writer_;
    const double unit_;  // device units per point
    const double width_;
    const double bottom_;  // above the page footer
    const QFont body_, bold_, small_, title_, heading_;
    const double line_;
    double edges_[kColumnCount + 1] = {};  // the columns' left edges, and the right
    QPainter* painter_ = nullptr;
    int page_ = 1;
    int pageCount_ = 0;
    double y_ = 0;
};

int InvoiceLayout::Run(QPainter* painter, int pageCount) {
    painter_ = painter;
    pageCount_ = pageCount;
    page_ = 1;
    LayOutColumns();
    y_ = Blocks();
    TableHeader();
    for (const MoneyLine& line : doc_.money.lines) {
        if (y_ + line_ > bottom_) {
            NewPage();
            TableHeader();
        }
        Row(line);
    }
    if (y_ + TotalsHeight() > bottom_) NewPage();
    Totals();
    TaxNote();
    if (y_ + BillingNoteHeight() > bottom_) NewPage();
    BillingNote();
    if (y_ + NotesHeight() > bottom_) NewPage();
    Notes();
    PageFooter();
    return page_;
}

void InvoiceLayout::NewPage() {
    PageFooter();
    if (painter_ != nullptr) writer_.newPage();
    ++page_;
    y_ = 0;
}

void InvoiceLayout::PageFooter() {
    if (pageCount_ < 2) return;
    const QString text = Label(PdfText::PageFooter)
                             .arg(DocumentName(doc_.kind, doc_.number, doc_.language),
                                  locale_.toString(page_), locale_.toString(pageCount_));
    Text(small_, 0, bottom_ + Pt(8), width_, Qt::AlignHCenter, text);
}

double InvoiceLayout::Blocks() {
    // The invoice's number and dates at the right, as wide as the language's longest label
    // and value need (from half the width to three fifths); the issuer at the left of them.
    const bool credit = doc_.kind == DocumentKind::CreditNote;
    std::vector<std::pair<QString, QString>> rows = {
        {Label(PdfText::InvoiceNumber), Utf8(doc_.number)},
        {Label(PdfText::IssueDate), DateText(doc_.issued)},
        {Label(PdfText::DueDate), DateText(doc_.due)},
        {Label(PdfText::Period),
         Label(PdfText::DateRange).arg(DateText(doc_.first), DateText(doc_.last))},
    };
    // A credit note is due nowhere: it names the invoice it cancels instead.
    if (credit) rows.erase(rows.begin() + 2);
    const QFontMetricsF labels(body_, &writer_);
    const QFontMetricsF values(bold_, &writer_);
    double labelWidth = 0;
    double valueWidth = 0;
    for (const auto& [label, value] : rows) {
        labelWidth = std::max(labelWidth, labels.horizontalAdvance(label) + Pt(8));
        valueWidth = std::max(valueWidth, values.horizontalAdvance(value) + Pt(2));
    }
    // A credit note's line naming its invoice takes the block's whole width.
    const QString cancels =
        credit
            ? Label(PdfText::CancelsInvoice).arg(Utf8(doc_.corrects), DateText(doc_.correctsIssued))
            : QString();
    const double needed =
        std::max(labelWidth + valueWidth, values.horizontalAdvance(cancels) + Pt(2));
    const double x = std::clamp(width_ - needed, width_ * 0.4, width_ * 0.5);
    const double w = width_ - x;
    labelWidth = std::min(labelWidth, w * 0.5);

    double left = 0;
    const double issuerWidth = x - Pt(12);
    Text(heading_, 0, left, issuerWidth, Qt::AlignLeft, Utf8(doc_.issuer.name));
    left += TextHeight(heading_);
    QStringList issuer = Lines(doc_.issuer.address);
    if (!doc_.issuer.email.empty()) issuer << Utf8(doc_.issuer.email);
    if (!doc_.issuer.taxId.empty()) issuer << Label(PdfText::TaxNumber) + Utf8(doc_.issuer.taxId);
    if (!doc_.issuer.vatId.empty()) issuer << Label(PdfText::VatId) + Utf8(doc_.issuer.vatId);
    for (const QString& s : issuer) {
        Text(body_, 0, left, issuerWidth, Qt::AlignLeft, s);
        left += line_;
    }

    double right = 0;
    Text(title_, x, right, w, Qt::AlignRight,
         Label(credit ? PdfText::CreditNote : PdfText::Invoice));
    right += TextHeight(title_) + Pt(4);
    for (const auto& [label, value] : rows) {
        Text(body_, x, right, labelWidth, Qt::AlignLeft, label);
        Text(bold_, x + labelWidth, right, w - labelWidth, Qt::AlignRight, value);
        right += line_;
    }
    if (credit) {
        Text(bold_, x, right, w, Qt::AlignRight, cancels);
        right += line_;
    }

    double y = std::max(left, right) + Pt(22);
    Text(small_, 0, y, width_, Qt::AlignLeft, Label(PdfText::BillTo));
    y += TextHeight(small_);
    Text(bold_, 0, y, width_ * 0.6, Qt::AlignLeft, Utf8(doc_.clientName));
    y += line_;
    QStringList client = Lines(doc_.clientAddress);
    const std::pair<PdfText, const std::string*> buyer[] = {
        {PdfText::Country, &doc_.clientCountry},
        {PdfText::VatId, &doc_.clientVatId},
        {PdfText::ClientNumber, &doc_.clientNumber},
        {PdfText::BuyerReference, &doc_.clientReference},
    };
    for (const auto& [label, value] : buyer)
        if (!value->empty()) client << Label(label) + Utf8(*value);
    for (const QString& s : client) {
        Text(body_, 0, y, width_ * 0.6, Qt::AlignLeft, s);
        y += line_;
    }
    return y + Pt(18);
}

InvoiceLayout::Cells InvoiceLayout::Titles() const {
    return {Label(PdfText::Description), Label(PdfText::Quantity), Label(PdfText::UnitPrice),
            Label(PdfText::Amount).arg(Utf8(doc_.currency))};
}

InvoiceLayout::Cells InvoiceLayout::RowCells(const MoneyLine& l) const {
    return {LineText(l), LocalDecimalText(locale_, {l.quantity, kQuantityPlaces}, kQuantityPlaces),
            LocalDecimalText(locale_, doc_.money.price, 2), MoneyText(locale_, l.amountCents)};
}

// The figures' columns as wide as their widest title or cell, so that no language's title
// is cut; the description takes the rest, at least two fifths of the width.
void InvoiceLayout::LayOutColumns() {
    const QFontMetricsF titles(bold_, &writer_);
    const QFontMetricsF cells(body_, &writer_);
    double widths[kColumnCount] = {};
    const Cells header = Titles();
    for (int i = 1; i < kColumnCount; ++i) widths[i] = titles.horizontalAdvance(header[i]);
    for (const MoneyLine& line : doc_.money.lines) {
        const Cells row = RowCells(line);
        for (int i = 1; i < kColumnCount; ++i)
            widths[i] = std::max(widths[i], cells.horizontalAdvance(row[i]));
    }
    edges_[kColumnCount] = width_;
    for (int i = kColumnCount - 1; i > 0; --i)
        edges_[i] = edges_[i + 1] - widths[i] - 2 * Pt(kCellPadding) - Pt(4);
    const double shift = std::max(0.0, width_ * 0.4 - edges_[1]);
    for (int i = 1; i < kColumnCount; ++i) edges_[i] += shift * (kColumnCount - i) / 3.0;
    edges_[0] = 0;
}

void InvoiceLayout::DrawCells(const QFont& font, const Cells& cells) {
    const double pad = Pt(kCellPadding);
    for (int i = 0; i < kColumnCount; ++i)
        Text(font, edges_[i] + pad, y_, edges_[i + 1] - edges_[i] - 2 * pad,
             i == 0 ? Qt::AlignLeft : Qt::AlignRight, cells[i]);
}

void InvoiceLayout::TableHeader() {
    if (painter_ != nullptr)
        painter_->fillRect(QRectF(0, y_, width_, line_), QColor(0xe8, 0xe8, 0xe8));
    DrawCells(bold_, Titles());
    y_ += line_;
}

// "Software development, 2 Nov 2026"; a period's line gives its first and last day, and a
// client with no service set reads the dates alone.
QString InvoiceLayout::LineText(const MoneyLine& l) const {
    QString dates = DateText(l.date);
    if (DaysOf(l.last) != DaysOf(l.date))
        dates = Label(PdfText::DateRange).arg(dates, DateText(l.last));
    return doc_.service.empty() ? dates
                                : Label(PdfText::LineDescription).arg(Utf8(doc_.service), dates);
}

void InvoiceLayout::Row(const MoneyLine& l) {
    DrawCells(body_, RowCells(l));
    y_ += line_;
    if (painter_ != nullptr) {
        painter_->setPen(QPen(QColor(0xd0, 0xd0, 0xd0), Pt(0.5)));
        painter_->drawLine(QPointF(0, y_), QPointF(width_, y_));
        painter_->setPen(Qt::black);
    }
}

double InvoiceLayout::TotalsHeight() const {
    // The tax's note, where there is one, stays with the totals it explains.
    const QString text = TaxNoteText(doc_.tax, doc_.language);
    const double note = text.isEmpty() ? 0 : Pt(6) + ParagraphHeight(body_, text);
    return Pt(8) + line_ * (doc_.tax.percent != 0 ? 2 : 1) + TextHeight(heading_) + Pt(4) + note;
}

void InvoiceLayout::Totals() {
    y_ += Pt(8);
    const double x = width_ * 0.5;
    const double labelWidth = width_ * 0.25;
    const double valueX = x + labelWidth;
    const double valueWidth = width_ - valueX - Pt(4);
    Text(body_, x, y_, labelWidth, Qt::AlignLeft, Label(PdfText::Subtotal));
    Text(body_, valueX, y_, valueWidth, Qt::AlignRight,
         MoneyText(locale_, doc_.money.subtotalCents));
    y_ += line_;
    if (doc_.tax.percent != 0) {
        Text(body_, x, y_, labelWidth, Qt::AlignLeft,
             Label(PdfText::Tax).arg(PercentText(locale_, doc_.tax.percent)));
        Text(body_, valueX, y_, valueWidth, Qt::AlignRight,
             MoneyText(locale_, doc_.money.taxCents));
        y_ += line_;
    }
    if (painter_ != nullptr)
        painter_->drawLine(QPointF(x, y_ + Pt(2)), QPointF(width_, y_ + Pt(2)));
    y_ += Pt(4);
    Text(heading_, x, y_, labelWidth, Qt::AlignLeft, Label(PdfText::Total));
    Text(heading_, valueX - width_ * 0.1, y_, valueWidth + width_ * 0.1, Qt::AlignRight,
         MoneyText(locale_, doc_.money.totalCents) + QLatin1Char(' ') + Utf8(doc_.currency));
    y_ += TextHeight(heading_);
}

void InvoiceLayout::TaxNote() {
    const QString note = TaxNoteText(doc_.tax, doc_.language);
    if (note.isEmpty()) return;
    y_ += Pt(6);
    Paragraph(body_, note);
}

double InvoiceLayout::BillingNoteHeight() const {
    return Pt(12) + ParagraphHeight(small_, Label(PdfText::BilledTime));
}

void InvoiceLayout::BillingNote() {
    y_ += Pt(12);
    Paragraph(small_, Label(PdfText::BilledTime));
}

double InvoiceLayout::NotesHeight() const {
    const qsizetype lines = Lines(doc_.issuer.terms).size() + Lines(doc_.issuer.bank).size();
    return lines == 0 ? 0 : Pt(20) + line_ * static_cast<double>(lines + 1);
}

void InvoiceLayout::Notes() {
    const QStringList terms = Lines(doc_.issuer.terms);
    const QStringList bank = Lines(doc_.issuer.bank);
    if (terms.isEmpty() && bank.isEmpty()) return;
    y_ += Pt(20);
    for (const QString& s : terms) {
        Text(body_, 0, y_, width_, Qt::AlignLeft, s);
        y_ += line_;
    }
    if (!bank.isEmpty()) {
        y_ += line_ * 0.5;
        for (const QString& s : bank) {
            Text(body_, 0, y_, width_, Qt::AlignLeft, s);
            y_ += line_;
        }
    }
}

}  // namespace

bool WriteInvoicePdf(const InvoiceDocument& document, const std::string& facturXml,
                     const std::string& path, std::string& error) {
    QFile file(Utf8(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    QByteArray drawn;
    {
        QBuffer buffer(&drawn);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        // PDF/A-1b: fonts embedded, an output intent, metadata; what the hybrid is made from.
        if (!facturXml.empty()) writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 16, 18, 12), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setTitle(DocumentName(document.kind, document.number, document.language));
        writer.setCreator(QStringLiteral("TallyBook"));
        InvoiceLayout layout(document, writer);
        const int pages = layout.Run(nullptr, 0);
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = "cannot write " + path + ": the PDF writer did not start";
            return false;
        }
        layout.Run(&painter, pages);
        painter.end();
    }
    if (!facturXml.empty()) {
        std::string hybrid;
        if (!FinishFacturX(drawn.toStdString(), facturXml, std::time(nullptr), hybrid, error))
            return false;
        drawn = QByteArray(hybrid.data(), static_cast<qsizetype>(hybrid.size()));
    }
    if (file.write(drawn) != drawn.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace tally
