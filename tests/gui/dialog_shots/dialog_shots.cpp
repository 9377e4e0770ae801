// SPDX-License-Identifier: MIT
// Shows the dialogs of the desktop program with sample data, for looking at them:
//   dialog_shots OUTDIR       saves each dialog as OUTDIR/<name>.png
//   dialog_shots --show NAME  shows one dialog until it is closed (for a screen capture)
// Names: options, time_entry, edit_data, invoice, idle_time, reminders, reminders_no_idle,
// clients, client_form, issuer_form, invoices, clock_out_at, merge_copy. Uses a private settings
// file and log.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <clocale>
#include <cstdio>

#include "sample_dialogs.h"

using namespace tally;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    test::PinTimeZone();
    test::SampleData sample;
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "--show") {
        const std::string name = args[2].toStdString();
        auto dlg = test::MakeSampleDialog(name, sample);
        if (!dlg) return 2;
        dlg->move(20, 20);
        dlg->show();
        test::PrepareSampleDialog(name, *dlg);
        return dlg->exec() == QDialog::Accepted ? 0 : 1;
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: dialog_shots OUTDIR | --show NAME\n");
        return 2;
    }
    QDir().mkpath(args[1]);
    for (const std::string& name : test::SampleDialogNames()) {
        auto dlg = test::MakeSampleDialog(name, sample);
        dlg->show();
        test::PrepareSampleDialog(name, *dlg);
        const QString file = QDir(args[1]).filePath(QString::fromStdString(name) + ".png");
        QApplication::processEvents();  // laid out as a user sees it, scroll bars settled
        if (!dlg->grab().save(file)) return 1;
        std::printf("%s\n", file.toLocal8Bit().constData());
    }
    return 0;
}
