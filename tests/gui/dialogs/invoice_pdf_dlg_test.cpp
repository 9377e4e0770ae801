// SPDX-License-Identifier: MIT
// The window's side of PDF invoices: the Invoice dialog issues a client's days as a numbered
// PDF and refuses them a second time; the Invoices dialog lists the register and changes it.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <filesystem>

#include "controls/qf_date_time_ctrl.h"
#include "dialog_driver.h"
#include "dialogs/invoice_dlg.h"
#include "dialogs/invoices_dlg.h"
#include "invoice/invoice_issue.h"
#include "invoice/invoice_money.h"
#include "log_text.h"
#include "process.h"
#include "report_lines.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "test_support.h"

namespace tally {
namespace {

using test::Click;
using test::FindButton;
using test::ReadFile;

TEST(InvoicePdfDialogs, saveAsPdfIssuesOnceAndTheInvoicesDialogMarksPaidAndCancels) {
    test::TempDir dir;
    SettingsStore store(QString::fromStdString(dir.File("tallybook.conf")));
    const std::string log = dir.File("acme.dat");
    test::WriteFile(log, test::WorkingDays(2026, 11, 2, 5));  // 40 hours
    Client acme;
    acme.name = "Acme";
    acme.log = log;
    acme.rate = 80.0;
    acme.currency = "EUR";
    acme.taxPercent = 19.0;
    acme.country = "DE";  // an e-invoice: no notice of a plain PDF
    WriteClient(store.Raw(), acme);
    Issuer issuer;
    issuer.name = "Jo Freelance";
    issuer.country = "DE";
    issuer.vatId = "DE123456789";
    WriteIssuer(store.Raw(), issuer);
    const std::string registerPath = dir.File("invoices.txt");
    WriteInvoiceSettings(store.Raw(), {{}, registerPath});
    test::FakeClock clock(test::At(2026, 12, 8, 10, 0, 0));
    test::RecordingReporter reporter;

    // A log that is no client's offers no PDF.
    CInvoiceDlg other(store, clock, nullptr, &reporter);
    other.SetDataFile(dir.File("other.dat"));
    EXPECT_FALSE(FindButton(other, "Save as &PDF...")->isEnabled());
    EXPECT_TRUE(FindButton(other, "Save as &PDF...")->toolTip().contains("no client"));

    CInvoiceDlg dlg(store, clock, nullptr, &reporter);
    dlg.SetDataFile(log);
    dlg.show();
    EXPECT_EQ(dlg.findChild<QLineEdit*>()->text(), "80.00");  // the client's rate
    test::Pickers(dlg)[0]->setDate(QDate(2026, 11, 1));
    test::Pickers(dlg)[1]->setDate(QDate(2026, 11, 30));
    QString proposed;
    std::string pdf = dir.File("first.pdf");
    dlg.SetPdfChooser([&](const QString& path) -> std::optional<QString> {
        proposed = path;
        return QString::fromStdString(pdf);
    });
    Click(FindButton(dlg, "Save as &PDF..."));
    EXPECT_TRUE(proposed.endsWith("/Invoice Acme 2026-11-01-2026-11-30.pdf"));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Invoice 2026-001 saved as " + pdf + ".");
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
    RegisterRead read = ReadRegister(registerPath);
    ASSERT_EQ(read.reg.Entries().size(), 1u);
    EXPECT_DOUBLE_EQ(read.reg.Entries()[0].subtotal, 3200.0);
    EXPECT_DOUBLE_EQ(read.reg.Entries()[0].total, 3808.0);

    const std::string registered = ReadFile(registerPath);
    pdf = dir.File("second.pdf");
    Click(FindButton(dlg, "Save as &PDF..."));
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1].text,
              "The days 2026-11-01 to 2026-11-30 of client Acme are billed in invoice 2026-001; "
              "cancel it first to bill them again.");
    EXPECT_EQ(ReadFile(registerPath), registered);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    // A format edited by hand into one that makes no numbers is said before a file is chosen.
    WriteInvoiceSettings(store.Raw(), {{"{seq", ""}, registerPath});
    proposed.clear();
    Click(FindButton(dlg, "Save as &PDF..."));
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_TRUE(reporter.messages[2].text.starts_with("Invoices.Format in the settings: "));
    EXPECT_TRUE(proposed.isEmpty());
    WriteInvoiceSettings(store.Raw(), {{}, registerPath});

    clock.Set(test::At(2026, 12, 20, 10, 0, 0));  // a payment is never dated after today
    CInvoicesDlg invoices(store, clock, nullptr, &reporter);
    QDate paidOn(2026, 12, 20);
    QStringList asked;
    QUrl opened;
    invoices.SetPrompts({[&](QWidget*, const QString&, QDate) { return paidOn; },
                         [&](QWidget*, const QString& question) {
                             asked << question;
                             return true;
                         },
                         [&](const QUrl& url) {
                             opened = url;
                             return true;
                         }});
    auto* list = invoices.findChild<QTreeWidget*>();
    auto row = [&](int index = 0) {
        QStringList texts;
        for (int c = 0; c < list->columnCount(); ++c) texts << list->topLevelItem(index)->text(c);
        return texts.join('|');
    };
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(row(), QString::fromUtf8("2026-001|Acme|2026-11-01 \u2013 2026-11-30|2026-12-08|"
                                       "2026-12-22|40:00|3808.00 EUR|issued"));
    ASSERT_TRUE(invoices.Select("2026-001"));
    Click(FindButton(invoices, "Mark &Paid..."));
    EXPECT_EQ(ReadRegister(registerPath).reg.Entries()[0].state, InvoiceState::Paid);
    EXPECT_TRUE(row().endsWith("|paid 2026-12-20"));
    Click(FindButton(invoices, "&Open PDF"));
    EXPECT_EQ(opened.toLocalFile().toStdString(), ArchivePath(registerPath, "2026-001"));
    Click(FindButton(invoices, "&Cancel Invoice..."));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("with a credit note"));
    EXPECT_EQ(ReadRegister(registerPath).reg.Entries()[0].state, InvoiceState::Cancelled);
    EXPECT_TRUE(row().endsWith("|cancelled by 2026-C001"));
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(row(1), QString::fromUtf8("2026-C001|Acme|2026-11-01 \u2013 2026-11-30|2026-12-20|"
                                        "2026-12-20|40:00|-3808.00 EUR|credit note of 2026-001"));
    EXPECT_FALSE(FindButton(invoices, "Mark &Paid...")->isEnabled());
    EXPECT_FALSE(FindButton(invoices, "&Cancel Invoice...")->isEnabled());
    ASSERT_EQ(reporter.messages.size(), 4u);
    EXPECT_EQ(reporter.messages[3].text, "Invoice 2026-001 is cancelled by credit note 2026-C001.");
    EXPECT_EQ(ReadFile(ArchivePath(registerPath, "2026-C001")).substr(0, 5), "%PDF-");

    // A register damaged by hand is shown as its message, and nothing can change it.
    test::WriteFile(registerPath, registered + "2026-002\tAcme\tnot a line\n");
    invoices.Reload();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_TRUE(invoices.findChild<QLabel*>()->text().startsWith(
        QString::fromStdString(registerPath + ":")));
    EXPECT_FALSE(FindButton(invoices, "&Open PDF")->isEnabled());
}

// A client's log: the dialog shows the client, starts after its last invoiced day and
// previews the PDF's money; its PDF has the line grouping chosen, in the client's language;
// the Invoices dialog mails a German client's PDF in German.
TEST(InvoicePdfDialogs, clientDetailsUnbilledDaysPreviewAndMail) {
    test::TempDir dir;
    SettingsStore store(QString::fromStdString(dir.File("tallybook.conf")));
    const std::string log = dir.File("bau.dat");
    test::WriteFile(log, test::WorkingDays(2026, 11, 2, 5));
    Client bau;
    bau.name = "Bau GmbH";
    bau.log = log;
    bau.rate = 90.0;
    bau.currency = "EUR";
    bau.taxPercent = 19.0;
    bau.language = "de";
    bau.country = "DE";  // an e-invoice: no notice of a plain PDF
    WriteClient(store.Raw(), bau);
    Issuer issuer{"Jo Freelance", "", "", "", "", ""};
    issuer.country = "DE";
    issuer.vatId = "DE123456789";
    WriteIssuer(store.Raw(), issuer);
    const std::string registerPath = dir.File("invoices.txt");
    WriteInvoiceSettings(store.Raw(), {{}, registerPath});
    test::FakeClock clock(test::At(2026, 12, 8, 10, 0, 0));
    test::RecordingReporter reporter;

    CInvoiceDlg first(store, clock, nullptr, &reporter);
    first.SetDataFile(log);
    test::Pickers(first)[0]->setDate(QDate(2026, 11, 2));
    test::Pickers(first)[1]->setDate(QDate(2026, 11, 3));
    first.SetPdfChooser([&](const QString&) -> std::optional<QString> {
        return QString::fromStdString(dir.File("first.pdf"));
    });
    first.findChild<QComboBox*>()->setCurrentIndex(1);
    Click(FindButton(first, "Save as &PDF..."));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(test::PdfCellText(dir.File("first.pdf"), true)
                  .find("\n2. Nov. 2026 \u2013 3. Nov. 2026 16,0000 90,00 1.440,00\n"),
              std::string::npos);

    CInvoiceDlg dlg(store, clock, nullptr, &reporter);
    dlg.SetDataFile(log);
    auto label = [&](const char* name) {
        for (QLabel* l : dlg.findChildren<QLabel*>())
            if (l->accessibleName() == name) return l->text();
        return QString();
    };
    EXPECT_EQ(label("Client"), "Client: Bau GmbH\nCurrency: EUR\nTax: Standard");
    EXPECT_EQ(test::Pickers(dlg)[0]->date(), QDate(2026, 11, 4));
    EXPECT_EQ(test::Pickers(dlg)[1]->date(), QDate(2026, 12, 8));
    const auto figures = ComputeInvoice(log, {2026, 11, 4}, {2026, 12, 8}, 90.0,
                                        {store.RoundingType(), store.RoundingUnit()});
    ASSERT_TRUE(figures);
    const InvoiceMoney money = MoneyOf(*figures, 19.0);
    EXPECT_EQ(money.subtotalCents, 216000);  // three days of 8 hours
    auto eur = [](std::int64_t cents) { return DecimalText({cents, 2}, 2) + " EUR"; };
    EXPECT_EQ(label("Preview").toStdString(), "Subtotal: " + eur(money.subtotalCents) +
                                                  "\nTax (19 %): " + eur(money.taxCents) +
                                                  "\nTotal: " + eur(money.totalCents));

    CInvoicesDlg invoices(store, clock, nullptr, &reporter);
    QString program;
    QStringList args;
    bool mailed = true;
    invoices.SetMailRunner([&](const QString& p, const QStringList& a) {
        program = p;
        args = a;
        return mailed;
    });
    ASSERT_TRUE(invoices.Select("2026-001"));
    Click(FindButton(invoices, "Send by &E-mail..."));
    EXPECT_EQ(program, "xdg-email");
    EXPECT_EQ(args, QStringList({"--subject", "Rechnung 2026-001", "--attach",
                                 QString::fromStdString(ArchivePath(registerPath, "2026-001"))}));
    EXPECT_EQ(reporter.messages.size(), 1u);
    mailed = false;
    Click(FindButton(invoices, "Send by &E-mail..."));
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_TRUE(reporter.messages[1].text.starts_with("No mail program took invoice 2026-001"));
}

// An e-invoice's XML saved from the Invoices dialog is the one its archived PDF carries; it
// goes where a PDF may go and replaces only an XML file; a plain PDF has none to save.
TEST(InvoicePdfDialogs, saveXmlWritesTheXmlThePdfCarries) {
    test::TempDir dir;
    SettingsStore store(QString::fromStdString(dir.File("tallybook.conf")));
    const std::string log = dir.File("acme.dat");
    test::WriteFile(log, test::WorkingDays(2026, 11, 2, 5));
    Client acme;
    acme.name = "Acme";
    acme.log = log;
    acme.rate = 80.0;
    acme.currency = "EUR";
    acme.taxPercent = 19.0;
    acme.country = "DE";
    WriteClient(store.Raw(), acme);
    Issuer issuer{"Jo Freelance", "Lange Reihe 12\n20099 Hamburg", "", "", "", ""};
    issuer.country = "DE";
    issuer.vatId = "DE987654321";
    WriteIssuer(store.Raw(), issuer);
    const std::string registerPath = dir.File("invoices.txt");
    WriteInvoiceSettings(store.Raw(), {{}, registerPath});
    test::FakeClock clock(test::At(2026, 12, 8, 10, 0, 0));
    test::RecordingReporter reporter;
    CInvoiceDlg issue(store, clock, nullptr, &reporter);
    issue.SetDataFile(log);
    test::Pickers(issue)[0]->setDate(QDate(2026, 11, 1));
    test::Pickers(issue)[1]->setDate(QDate(2026, 11, 3));
    issue.SetPdfChooser([&](const QString&) -> std::optional<QString> {
        return QString::fromStdString(dir.File("a.pdf"));
    });
    Click(FindButton(issue, "Save as &PDF..."));
    // Without a country of the client, the next is a plain PDF, and the dialog says so.
    acme.country.clear();
    WriteClient(store.Raw(), acme);
    test::Pickers(issue)[0]->setDate(QDate(2026, 11, 4));
    test::Pickers(issue)[1]->setDate(QDate(2026, 11, 6));
    Click(FindButton(issue, "Save as &PDF..."));
    ASSERT_EQ(reporter.messages.size(), 3u) << reporter.messages.back().text;

    const std::string carried = dir.File("carried.xml");
    ASSERT_EQ(test::RunProcess(
                  {"pdfdetach", "-save", "1", "-o", carried, ArchivePath(registerPath, "2026-001")})
                  .exitCode,
              0);
    CInvoicesDlg invoices(store, clock, nullptr, &reporter);
    std::string target;
    QString proposed;
    invoices.SetXmlChooser([&](const QString& path) -> std::optional<QString> {
        proposed = path;
        return QString::fromStdString(target);
    });
    ASSERT_TRUE(invoices.Select("2026-002"));
    EXPECT_FALSE(FindButton(invoices, "Save &XML...")->isEnabled());
    ASSERT_TRUE(invoices.Select("2026-001"));
    const std::string letter = dir.File("letter.xml");
    test::WriteFile(letter, "Dear Jo,");
    const std::string old = dir.File("old.xml");
    test::WriteFile(old, "<?xml version=\"1.0\"?><old/>");
    const struct {
        std::string target;
        std::string refusal;  // empty: saved
    } cases[] = {
        {log, "it is the time log " + log + ", which no document replaces."},
        {registerPath, "it is the invoice register"},
        {letter, "the file is not an XML file, and only an XML file is replaced by a document."},
        {dir.File("new.xml"), ""},
        {old, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        target = c.target;
        const std::string before = std::filesystem::exists(c.target) ? ReadFile(c.target) : "";
        const std::size_t reported = reporter.messages.size();
        Click(FindButton(invoices, "Save &XML..."));
        ASSERT_EQ(reporter.messages.size(), reported + 1);
        const std::string& message = reporter.messages.back().text;
        if (c.refusal.empty()) {
            EXPECT_EQ(message, "The XML of invoice 2026-001 saved as " + c.target + ".");
            EXPECT_EQ(ReadFile(c.target), ReadFile(carried));
        } else {
            EXPECT_TRUE(
                message.starts_with("Cannot save the XML to " + c.target + ": " + c.refusal))
                << message;
            EXPECT_EQ(ReadFile(c.target), before);
        }
    }
    EXPECT_EQ(proposed.toStdString(), dir.File("a.xml"));
}

}  // namespace
}  // namespace tally
