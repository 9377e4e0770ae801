// SPDX-License-Identifier: MIT
#include "window/position_check.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace tally {

ScreenMetrics PlatformScreenMetrics(const QWidget* widget) {
    ScreenMetrics metrics;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        metrics.screen = screen->size();
    }
    const QStyle* style = widget->style();
    metrics.scrollBarHeight = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget);
    metrics.captionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, widget);
    return metrics;
}

PositionCheck CheckWindowPosition(QPoint topLeft, const ScreenMetrics& metrics) {
    PositionCheck check{topLeft, false};
    int left = topLeft.x();
    int top = topLeft.y();
    if (left < 0) {
        left = 0;
        check.moved = true;
    }
    if (top < 0) {
        top = 0;
        check.moved = true;
    }
    const int maxLeft = metrics.screen.width() - 2 * metrics.scrollBarHeight;
    const int maxTop = metrics.screen.height() - 2 * metrics.captionHeight;
    if (left > maxLeft) {
        left = maxLeft;
        check.moved = true;
    }
    if (top > maxTop) {
        top = maxTop;
        check.moved = true;
    }
    check.topLeft = QPoint(left, top);
    return check;
}

}  // namespace tally
