// SPDX-License-Identifier: MIT
#pragma once
// The printer that printing, print preview and print set-up share. Made when first asked
// for, so a start without printing never waits for the printing system.

#include <QPrinter>
#include <memory>

#include "window/print/report_painter.h"

namespace tally {

class PrinterSettings {
  public:
    QPrinter& Printer() {
        if (!printer_) {
            printer_ = std::make_unique<QPrinter>();
            UseReportMargins(*printer_);
        }
        return *printer_;
    }

  private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace tally
