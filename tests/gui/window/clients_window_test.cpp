// SPDX-License-Identifier: MIT
// Clients in the window: File > Client makes a client's log the time log and its rate the
// totals' rate, and lists the clients tally client adds and removes meanwhile, Clock In is refused
// while another client is clocked in (or switched over at one second), and the Clients dialog
// stores only sound clients, and the issuer only on OK.

#include <QAction>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <cstdlib>
#include <filesystem>

#include "basics/command_ids.h"
#include "dialog_driver.h"
#include "dialogs/client_form_dlg.h"
#include "dialogs/clients_dlg.h"
#include "dialogs/issuer_form_dlg.h"
#include "dialogs/options_dlg.h"
#include "log_text.h"
#include "qt_printers.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "tally_harness.h"
#include "window_harness.h"

namespace tally::test {
namespace {

Client MakeClient(const std::string& name, const std::string& log, std::optional<double> rate,
                  const char* currency, double tax = 0.0) {
    Client client;
    client.name = name;
    client.log = log;
    client.rate = rate;
    client.currency = currency;
    client.taxPercent = tax;
    return client;
}

// The client's log path; the log holds the text given.
std::string AddClient(WindowHarness& w, const std::string& name, std::optional<double> rate,
                      const std::string& log) {
    const Client client = MakeClient(name, w.dir.File(name + ".dat"), rate, "EUR");
    WriteClient(w.store->Raw(), client);
    WriteFile(client.log, log);
    return client.log;
}

QAction* ClientItem(WindowHarness& w, const QString& name) {
    for (QAction* item : w.Frame().ClientMenu()->actions()) {
        if (item->text().endsWith(" " + name)) return item;
    }
    return nullptr;
}

// For looking at: the window with its client pane and File > Client open, when TALLY_SHOTS
// names a folder.
void SaveWindowShot(CMainFrame& frame) {
    const char* folder = std::getenv("TALLY_SHOTS");
    if (folder == nullptr) return;
    QMenu* file = frame.menuBar()->actions().first()->menu();
    file->popup(frame.mapToGlobal(frame.menuBar()->geometry().bottomLeft()));
    file->setActiveAction(frame.ClientMenu()->menuAction());
    frame.ClientMenu()->popup(file->geometry().topRight() +
                              QPoint(0, file->actionGeometry(file->activeAction()).top()));
    QPixmap shot = frame.grab();  // the menus open inside it
    QPainter painter(&shot);
    for (QMenu* menu : {file, frame.ClientMenu()})
        painter.drawPixmap(menu->pos() - frame.mapToGlobal(QPoint(0, 0)), menu->grab());
    painter.end();
    shot.save(QString(folder) + "/clients_window.png");
    file->close();
}

TEST(ClientsWindow, choosingAClientShowsItsLogAtItsRateAndTheOptionsKeepTheirRate) {
    WindowHarness w;
    w.store->StoreOption("ShowDollars", 1);
    w.store->StoreOption("Rate", "10");
    w.clock.SetLocal(2024, 3, 4, 18, 0, 0);
    ASSERT_TRUE(w.Start());
    EXPECT_FALSE(w.Frame().Action(ID_FILE_CLIENT)->isVisible());
    EXPECT_FALSE(w.Frame().Pane(ID_INDICATOR_CLIENT)->isVisibleTo(&w.Frame()));
    AddClient(w, "Acme", 20.0, WorkingDays(2024, 3, 4, 1));
    AddClient(w, "Birch", 45.5, WorkingDays(2024, 3, 1, 2));
    AddClient(w, "Town", std::nullopt, WorkingDays(2024, 3, 1, 3));
    AddClient(w, "Empty", 20.0, "");
    std::filesystem::remove(AddClient(w, "Gone", 20.0, ""));
    WhenModal<CClientsDlg>([](CClientsDlg* dialog) { dialog->reject(); });
    w.Trigger(ID_CLIENTS);
    ASSERT_TRUE(w.Frame().Action(ID_FILE_CLIENT)->isVisible()) << "rebuilt as the dialog closed";
    EXPECT_EQ(w.Pane(ID_INDICATOR_CLIENT), "No client");

    // A log without pairs shows no average of the log before.
    const struct {
        QString client;
        QString periodTotal;
        QString periodAverage;
    } kChoices[] = {{"Birch", "16:00:00 (728.00)", "16:00:00/1 = 16:00:00 (728.00)"},
                    // no rate of its own: the Options rate
                    {"Town", "24:00:00 (240.00)", "24:00:00/1 = 24:00:00 (240.00)"},
                    {"Acme", "8:00:00 (160.00)", "8:00:00/1 = 8:00:00 (160.00)"},
                    {"Empty", "0:00:00 (0.00)", ""},
                    {"Gone", "", ""}};
    for (const auto& choice : kChoices) {
        SCOPED_TRACE(choice.client.toStdString());
        ASSERT_NE(ClientItem(w, choice.client), nullptr);
        ClientItem(w, choice.client)->trigger();
        EXPECT_EQ(w.Text("PeriodFirst"), choice.periodTotal);
        EXPECT_EQ(w.Text("PeriodSecond"), choice.periodAverage);
        EXPECT_EQ(w.Pane(ID_INDICATOR_CLIENT), choice.client);
        for (QAction* item : w.Frame().ClientMenu()->actions())
            EXPECT_EQ(item->isChecked(), item == ClientItem(w, choice.client))
                << item->text().toStdString();
    }
    EXPECT_EQ(SettingsStore(w.IniPath()).RateText(), "10") << "a client's rate is never stored";
    EXPECT_EQ(w.View().Engine().Settings().DataLog, w.dir.File("Gone.dat"));

    WhenModal<COptionsDlg>([](COptionsDlg* dialog) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>("rateBox")->text(), "10.00");
        dialog->reject();
    });
    w.Trigger(ID_OPTIONS);
    SaveWindowShot(w.Frame());
}

TEST(ClientsWindow, fileClientListsTheClientsTallyAddsAndRemovesAfterATick) {
    TallyHarness tally;
    WindowHarness w;
    w.store = std::make_unique<SettingsStore>(QString::fromStdString(tally.StoreFile()));
    ASSERT_TRUE(w.Start());
    const std::vector<std::string> commands[] = {
        {"client", "add", "Acme", "--log", w.dir.File("acme.dat")},
        {"client", "remove", "Acme"},
    };
    for (const auto& command : commands) {
        const ProcessResult run = tally.Run(command);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        w.Tick();
        EXPECT_EQ(ClientItem(w, "Acme") != nullptr, command[1] == "add") << command[1];
    }
}

TEST(ClientsWindow, clockInWhileAnotherClientIsInIsRefusedOrSwitchedAtOneSecond) {
    const std::string open = Triple("2024-03-04 07:00:00", "2024-03-04 07:30:00");
    const std::string closed = Triple("2024-03-01 09:00:00", "2024-03-01 10:00:00");
    const struct {
        const char* button;
        std::string acmeAfter;
        std::string birchAfter;
    } kAnswers[] = {
        {"Cancel", open + In("2024-03-04 08:00:00"), closed},
        {"&Switch Here",
         open + In("2024-03-04 08:00:00") + Out("2024-03-04 10:30:00") + Elapsed("02:30:00"),
         closed + In("2024-03-04 10:30:00")},
    };
    for (const auto& answer : kAnswers) {
        SCOPED_TRACE(answer.button);
        WindowHarness w;
        w.store->StoreOption("DataLog", QString::fromStdString(w.dir.File("Birch.dat")));
        const std::string acme = AddClient(w, "Acme", 20.0, open + In("2024-03-04 08:00:00"));
        const std::string birch = AddClient(w, "Birch", 30.0, closed);
        ASSERT_TRUE(w.Start());
        w.clock.SetLocal(2024, 3, 4, 10, 30, 0);
        const QString button = answer.button;
        WhenModal<QMessageBox>([button](QMessageBox* box) {
            EXPECT_EQ(box->text(),
                      "Still clocked in for Acme since 2024-03-04 08:00. Clock out there first.");
            Click(button == "Cancel" ? box->button(QMessageBox::Cancel) : FindButton(*box, button));
        });
        w.Trigger(ID_CLOCK_IN);
        EXPECT_EQ(ReadFile(acme), answer.acmeAfter);
        EXPECT_EQ(ReadFile(birch), answer.birchAfter);
        EXPECT_TRUE(w.reporter.messages.empty());
        EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), button == "Cancel" ? "Out" : "In");
    }
}

TEST(ClientsDialog, storesAClientOnlyWhenEveryValueIsSound) {
    const struct {
        const char* box;
        const char* typed;
        const char* refusal;  // none: stored
    } kValues[] = {
        {"Currency", "eur", "a currency is three capital letters (EUR, USD), not 'eur'"},
        {"Rate", "12,5", "a rate is a number from 0 to 1000000000, not '12,5'"},
        {"Tax", "101", "a tax rate is a number from 0 to 100, not '101'"},
        {"Log", "acme.dat", "the time log must be a full path, not acme.dat (Browse chooses one)"},
        {"Name", "Birch", "there is a client Birch already"},
        {"Country", "zz", "'ZZ' is not a country code of ISO 3166 (DE, FR, CH, ...)"},
        {"VatId", "DE 123", "the VAT id DE123 does not have the shape of DE's VAT ids"},
        {"Tax", "7.5", nullptr},
    };
    for (const auto& value : kValues) {
        SCOPED_TRACE(value.typed);
        TempDir dir;
        const std::string ini = dir.File("settings.ini");
        SettingsStore store(QString::fromStdString(ini));
        WriteClient(store.Raw(), MakeClient("Birch", dir.File("birch.dat"), 30.0, "USD"));
        const std::string before = ReadFile(ini);
        RecordingReporter reporter;
        CClientsDlg dialog(store, reporter);
        WhenModal<CClientFormDlg>([&](CClientFormDlg* form) {
            Retype(form->findChild<QLineEdit*>("Name"), "Acme");
            Retype(form->findChild<QLineEdit*>("Log"), QString::fromStdString(dir.File("a.dat")));
            Retype(form->findChild<QLineEdit*>("Currency"), "EUR");
            Retype(form->findChild<QLineEdit*>(value.box), value.typed);
            Click(form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
            if (form->isVisible()) form->reject();
        });
        dialog.OnAdd();
        if (value.refusal == nullptr) {
            const Client acme = MakeClient("Acme", dir.File("a.dat"), std::nullopt, "EUR", 7.5);
            EXPECT_EQ(ReadClients(store.Raw()).front(), acme);
            EXPECT_TRUE(reporter.messages.empty());
            continue;
        }
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text,
                  "The client was not stored: " + std::string(value.refusal) + ".");
        EXPECT_EQ(ReadFile(ini), before);
    }
}

TEST(ClientsDialog, issuerFormWritesWhatWasTypedOnOkAndNothingOnCancel) {
    TempDir dir;
    const std::string ini = dir.File("settings.ini");
    SettingsStore store(QString::fromStdString(ini));
    WriteIssuer(store.Raw(), {"Old Name", "Old Street", "", "", "Old Bank", ""});
    const std::string before = ReadFile(ini);
    const Issuer typed{"Jo Freelancer",
                       "Jo Freelancer\nMain Street 1\n12345 Town",
                       "jo@example.org",
                       "DE123456789",
                       "Example Bank\nIBAN DE00 1234",
                       "Net 14 days.\nThank you."};
    for (const auto answer : {QDialogButtonBox::Cancel, QDialogButtonBox::Ok}) {
        RecordingReporter reporter;
        CClientsDlg dialog(store, reporter);
        WhenModal<CIssuerFormDlg>([&](CIssuerFormDlg* form) {
            EXPECT_EQ(form->findChild<QLineEdit*>("IssuerName")->text(), "Old Name");
            const std::pair<const char*, std::string> boxes[] = {
                {"IssuerName", typed.name},   {"IssuerAddress", typed.address},
                {"IssuerEmail", typed.email}, {"IssuerTaxId", typed.taxId},
                {"IssuerBank", typed.bank},   {"IssuerTerms", typed.terms}};
            for (const auto& [name, text] : boxes) {
                QWidget* box = form->findChild<QWidget*>(name);
                if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) edit->selectAll();
                if (auto* line = qobject_cast<QLineEdit*>(box)) line->selectAll();
                const QStringList lines = QString::fromStdString(text).split('\n');
                for (qsizetype i = 0; i < lines.size(); ++i) {
                    if (i > 0) QTest::keyClick(box, Qt::Key_Return);  // a new line, not OK
                    QTest::keyClicks(box, lines[i]);
                }
            }
            Click(form->findChild<QDialogButtonBox*>()->button(answer));
        });
        Click(FindButton(dialog, "&Issuer..."));
        if (answer == QDialogButtonBox::Cancel) {
            EXPECT_EQ(ReadFile(ini), before);
        } else {
            EXPECT_EQ(ReadIssuer(SettingsStore(QString::fromStdString(ini)).Raw()), typed);
        }
        EXPECT_TRUE(reporter.messages.empty());
    }
}

TEST(ClientsDialog, issuerFormRefusesWhatTallyIssuerSetRefuses) {
    TempDir dir;
    const std::string ini = dir.File("settings.ini");
    SettingsStore store(QString::fromStdString(ini));
    WriteIssuer(store.Raw(), {"Old Name", "Old Street", "", "", "Old Bank", ""});
    const std::string before = ReadFile(ini);
    RecordingReporter reporter;
    CClientsDlg dialog(store, reporter);
    WhenModal<CIssuerFormDlg>([&](CIssuerFormDlg* form) {
        Retype(form->findChild<QLineEdit*>("IssuerIban"), "DE89 3704 0044 0532 0130 01");
        Click(form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
        EXPECT_TRUE(form->isVisible());
        form->reject();
    });
    Click(FindButton(dialog, "&Issuer..."));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "The issuer was not stored: the IBAN DE89370400440532013001 has wrong check digits "
              "(a typing error?).");
    EXPECT_EQ(ReadFile(ini), before);
}

}  // namespace
}  // namespace tally::test
