// SPDX-License-Identifier: MIT
#pragma once
// Places controls from dialog-template units: x units are a quarter of the dialog font's
// average character width, y units an eighth of its line height.

#include <QFont>
#include <QRect>
#include <QWidget>

namespace tally {

// The one font all forms and dialogs use, so layouts are the same offscreen and under X.
QFont DialogFont();

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font = DialogFont());

    int X(int units) const { return (units * baseX_ + 2) / 4; }
    int Y(int units) const { return (units * baseY_ + 4) / 8; }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }
    // Sets the widget's font and places it at the template rectangle.
    void Place(QWidget* widget, int x, int y, int width, int height) const;
    // The same for a child of a frame (a group box) that the template places in dialog
    // coordinates; the frame must already be placed.
    void PlaceInFrame(QWidget* widget, const QWidget* frame, int x, int y, int width,
                      int height) const;

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }

  private:
    int baseX_;
    int baseY_;
};

}  // namespace tally
