#pragma once
// The printer that printing, print preview and print set-up share. Made when first asked
// for, so a start without printing never waits for the printing system.

#include <QPrinter>
#include <memory>

#include "ui/print/report_painter.h"

namespace tally {

class PrinterSettings {
  public:
    QPrinter& Printer() {
        if (!m_printer) {
            m_printer = std::make_unique<QPrinter>();
            UseReportMargins(*m_printer);
        }
        return *m_printer;
    }

  private:
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace tally
