// SPDX-License-Identifier: MIT
#include "basics/dialog_units.h"

#include <QFontMetrics>

namespace tally {

QFont DialogFont() {
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over the alphabet, as dialog managers compute it.
    const int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = (alphabet / 26 + 1) / 2;
    baseY_ = metrics.height();
}

void DialogUnits::Place(QWidget* widget, int x, int y, int width, int height) const {
    widget->setFont(DialogFont());
    widget->setGeometry(Rect(x, y, width, height));
}

void DialogUnits::PlaceInFrame(QWidget* widget, const QWidget* frame, int x, int y, int width,
                               int height) const {
    widget->setFont(DialogFont());
    widget->setGeometry(Rect(x, y, width, height).translated(-frame->pos()));
}

}  // namespace tally
