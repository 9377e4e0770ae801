// SPDX-License-Identifier: MIT
#pragma once
// Brings a main window whose stored position lies off the screen back onto it.

#include <QPoint>
#include <QSize>

class QWidget;

namespace tally {

struct ScreenMetrics {
    QSize screen;             // the primary screen
    int scrollBarHeight = 0;  // of a horizontal scroll bar
    int captionHeight = 0;    // of a window caption
};

// The platform's metrics: the primary screen and the style's scroll bar and title bar.
ScreenMetrics PlatformScreenMetrics(const QWidget* widget);

struct PositionCheck {
    QPoint topLeft;
    bool moved = false;
};

// Left and top below 0 become 0; beyond the screen less two scroll bars (left) or two
// captions (top) they are pulled back to that limit.
PositionCheck CheckWindowPosition(QPoint topLeft, const ScreenMetrics& metrics);

}  // namespace tally
