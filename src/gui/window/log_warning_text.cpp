// SPDX-License-Identifier: MIT
#include "window/log_warning_text.h"

#include <QTextDocument>

#include "core/log_check.h"

namespace tally {

QString LogWarningText(const TallyEngine& engine, const std::vector<std::string>& copies) {
    std::string text;
    const ScanStop& stop = engine.State().stop;
    if (!engine.LogError().empty()) {
        text = engine.LogError();
    } else if (stop.reason != LogFault::None) {
        text = "The time log is not read to its end.\n" + DescribeScanStop(stop) + ":\n" +
               stop.place.text + "\nMend it with Edit Raw Data; 'tally check' lists every fault.";
    }
    if (!copies.empty()) {
        if (!text.empty()) text += "\n\n";
        text +=
            "A sync tool left conflict copies of the time log beside it; punches made only "
            "in a copy count in no total:";
        for (const std::string& copy : copies) text += "\n" + copy;
    }
    if (text.empty()) return {};
    return Qt::convertFromPlainText(QString::fromStdString(text), Qt::WhiteSpaceNormal);
}

}  // namespace tally
