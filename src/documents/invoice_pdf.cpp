// SPDX-License-Identifier: MIT
#include "documents/invoice_pdf.h"

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
#include <cmath>
#include <ctime>
#include <optional>

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

// The locale's short date with the whole year: an invoice outlives a century's two digits.
QString DateText(const QLocale& locale, const CalendarDate& d) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), "yyyy");
    return locale.toString(QDate(d.year, d.month, d.day), format);
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

// The pages are laid out twice: a dry run counts them for the footers, the second paints.
class InvoiceLayout {
  public:
    InvoiceLayout(const InvoiceDocument& doc, const QLocale& locale, QPdfWriter& writer)
        : doc_(doc),
          locale_(locale),
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
    void NewPage();
    void PageFooter();
    double Blocks();  // issuer, invoice and client blocks; returns their bottom
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
    const QLocale& locale_;
    QPdfWriter& writer_;
    const double unit_;  // device units per point
    const double width_;
    const double bottom_;  // above the page footer
    const QFont body_, bold_, small_, title_, heading_;
    const double line_;
    QPainter* painter_ = nullptr;
    int page_ = 1;
    int pageCount_ = 0;
    double y_ = 0;
};

// Column edges as shares of the width: description, quantity, unit price, amount.
constexpr double kColumns[] = {0.0, 0.55, 0.69, 0.82, 1.0};
constexpr int kColumnCount = 4;

int InvoiceLayout::Run(QPainter* painter, int pageCount) {
    painter_ = painter;
    pageCount_ = pageCount;
    page_ = 1;
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
    const QString text =
        InvoiceLabel(PdfText::PageFooter)
            .arg(Utf8(doc_.number), locale_.toString(page_), locale_.toString(pageCount_));
    Text(small_, 0, bottom_ + Pt(8), width_, Qt::AlignHCenter, text);
}

double InvoiceLayout::Blocks() {
    // The issuer at the left, the invoice's number and dates at the right.
    double left = 0;
    Text(heading_, 0, left, width_ * 0.47, Qt::AlignLeft, Utf8(doc_.issuer.name));
    left += TextHeight(heading_);
    QStringList issuer = Lines(doc_.issuer.address);
    if (!doc_.issuer.email.empty()) issuer << Utf8(doc_.issuer.email);
    if (!doc_.issuer.taxId.empty())
        issuer << InvoiceLabel(PdfText::TaxNumber) + Utf8(doc_.issuer.taxId);
    if (!doc_.issuer.vatId.empty())
        issuer << InvoiceLabel(PdfText::VatId) + Utf8(doc_.issuer.vatId);
    for (const QString& s : issuer) {
        Text(body_, 0, left, width_ * 0.47, Qt::AlignLeft, s);
        left += line_;
    }

    const double x = width_ * 0.5;
    const double w = width_ - x;
    double right = 0;
    Text(title_, x, right, w, Qt::AlignRight, InvoiceLabel(PdfText::Invoice));
    right += TextHeight(title_) + Pt(4);
    const std::pair<QString, QString> rows[] = {
        {InvoiceLabel(PdfText::InvoiceNumber), Utf8(doc_.number)},
        {InvoiceLabel(PdfText::IssueDate), DateText(locale_, doc_.issued)},
        {InvoiceLabel(PdfText::DueDate), DateText(locale_, doc_.due)},
        {InvoiceLabel(PdfText::Period),
         DateText(locale_, doc_.first) + QStringLiteral(" \u2013 ") + DateText(locale_, doc_.last)},
    };
    for (const auto& [label, value] : rows) {
        Text(body_, x, right, w * 0.3, Qt::AlignLeft, label);
        Text(bold_, x + w * 0.3, right, w * 0.7, Qt::AlignRight, value);
        right += line_;
    }

    double y = std::max(left, right) + Pt(22);
    Text(small_, 0, y, width_, Qt::AlignLeft, InvoiceLabel(PdfText::BillTo));
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
        if (!value->empty()) client << InvoiceLabel(label) + Utf8(*value);
    for (const QString& s : client) {
        Text(body_, 0, y, width_ * 0.6, Qt::AlignLeft, s);
        y += line_;
    }
    return y + Pt(18);
}

void InvoiceLayout::TableHeader() {
    const QString titles[] = {InvoiceLabel(PdfText::Description), InvoiceLabel(PdfText::Quantity),
                              InvoiceLabel(PdfText::UnitPrice),
                              InvoiceLabel(PdfText::Amount).arg(Utf8(doc_.currency))};
    if (painter_ != nullptr)
        painter_->fillRect(QRectF(0, y_, width_, line_), QColor(0xe8, 0xe8, 0xe8));
    const double pad = Pt(4);
    for (int i = 0; i < kColumnCount; ++i) {
        const double x = kColumns[i] * width_ + pad;
        const double w = (kColumns[i + 1] - kColumns[i]) * width_ - 2 * pad;
        Text(bold_, x, y_, w, i == 0 ? Qt::AlignLeft : Qt::AlignRight, titles[i]);
    }
    y_ += line_;
}

// "Software development, 2 Nov 2026"; a period's line gives its first and last day, and a
// client with no service set reads the dates alone.
QString InvoiceLayout::LineText(const MoneyLine& l) const {
    QString dates = DateText(locale_, l.date);
    if (DaysOf(l.last) != DaysOf(l.date))
        dates += QStringLiteral(" \u2013 ") + DateText(locale_, l.last);
    return doc_.service.empty() ? dates : Utf8(doc_.service) + QStringLiteral(", ") + dates;
}

void InvoiceLayout::Row(const MoneyLine& l) {
    const QString cells[] = {
        LineText(l), LocalDecimalText(locale_, {l.quantity, kQuantityPlaces}, kQuantityPlaces),
        LocalDecimalText(locale_, doc_.money.price, 2), MoneyText(locale_, l.amountCents)};
    const double pad = Pt(4);
    for (int i = 0; i < kColumnCount; ++i) {
        const double x = kColumns[i] * width_ + pad;
        const double w = (kColumns[i + 1] - kColumns[i]) * width_ - 2 * pad;
        Text(body_, x, y_, w, i == 0 ? Qt::AlignLeft : Qt::AlignRight, cells[i]);
    }
    y_ += line_;
    if (painter_ != nullptr) {
        painter_->setPen(QPen(QColor(0xd0, 0xd0, 0xd0), Pt(0.5)));
        painter_->drawLine(QPointF(0, y_), QPointF(width_, y_));
        painter_->setPen(Qt::black);
    }
}

double InvoiceLayout::TotalsHeight() const {
    // The tax's note, where there is one, stays with the totals it explains.
    const double note = TaxNoteText(doc_.tax).isEmpty() ? 0 : Pt(6) + line_;
    return Pt(8) + line_ * (doc_.tax.percent != 0 ? 2 : 1) + TextHeight(heading_) + Pt(4) + note;
}

void InvoiceLayout::Totals() {
    y_ += Pt(8);
    const double x = width_ * 0.5;
    const double labelWidth = width_ * 0.25;
    const double valueX = x + labelWidth;
    const double valueWidth = width_ - valueX - Pt(4);
    Text(body_, x, y_, labelWidth, Qt::AlignLeft, InvoiceLabel(PdfText::Subtotal));
    Text(body_, valueX, y_, valueWidth, Qt::AlignRight,
         MoneyText(locale_, doc_.money.subtotalCents));
    y_ += line_;
    if (doc_.tax.percent != 0) {
        Text(body_, x, y_, labelWidth, Qt::AlignLeft,
             InvoiceLabel(PdfText::Tax).arg(PercentText(locale_, doc_.tax.percent)));
        Text(body_, valueX, y_, valueWidth, Qt::AlignRight,
             MoneyText(locale_, doc_.money.taxCents));
        y_ += line_;
    }
    if (painter_ != nullptr)
        painter_->drawLine(QPointF(x, y_ + Pt(2)), QPointF(width_, y_ + Pt(2)));
    y_ += Pt(4);
    Text(heading_, x, y_, labelWidth, Qt::AlignLeft, InvoiceLabel(PdfText::Total));
    Text(heading_, valueX - width_ * 0.1, y_, valueWidth + width_ * 0.1, Qt::AlignRight,
         MoneyText(locale_, doc_.money.totalCents) + QLatin1Char(' ') + Utf8(doc_.currency));
    y_ += TextHeight(heading_);
}

void InvoiceLayout::TaxNote() {
    const QString note = TaxNoteText(doc_.tax);
    if (note.isEmpty()) return;
    y_ += Pt(6);
    Text(body_, 0, y_, width_, Qt::AlignLeft, note);
    y_ += line_;
}

double InvoiceLayout::BillingNoteHeight() const {
    return Pt(12) + TextHeight(small_) *
                        static_cast<double>(
                            InvoiceLabel(PdfText::BilledTime).split(QLatin1Char('\n')).size());
}

void InvoiceLayout::BillingNote() {
    y_ += Pt(12);
    for (const QString& s : InvoiceLabel(PdfText::BilledTime).split(QLatin1Char('\n'))) {
        Text(small_, 0, y_, width_, Qt::AlignLeft, s);
        y_ += TextHeight(small_);
    }
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
                     const std::string& path, const QLocale& locale, std::string& error) {
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
        writer.setTitle(QStringLiteral("Invoice %1").arg(Utf8(document.number)));
        writer.setCreator(QStringLiteral("TallyBook"));
        InvoiceLayout layout(document, locale, writer);
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
