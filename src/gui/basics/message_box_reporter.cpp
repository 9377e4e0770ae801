// SPDX-License-Identifier: MIT
#include "basics/message_box_reporter.h"

#include <QApplication>
#include <QMessageBox>

namespace tally {
namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void MessageBoxReporter::Report(const Message& message) {
    QWidget* owner = owner_ ? owner_.data() : QApplication::focusWidget();
    QMessageBox box(IconOf(message.icon), QString::fromStdString(message.caption),
                    QString::fromStdString(message.text), QMessageBox::Ok,
                    owner != nullptr ? owner->window() : nullptr);
    box.exec();
}

}  // namespace tally
