// SPDX-License-Identifier: MIT
// The colours and font of the picker's drop-down month calendar.
#include <QApplication>
#include <QCalendarWidget>

#include "controls/qf_date_time_ctrl.h"

namespace tally {
namespace {

// Where each colour lives in the calendar widget's palette. Days of the neighbouring months
// are drawn in the disabled text colour, so that group carries the trailing-text colour and
// the text colour goes to the other two groups.
QPalette::ColorRole RoleOf(int which) {
    switch (which) {
        case MCSC_BACKGROUND:
            return QPalette::Window;
        case MCSC_TITLEBK:
            return QPalette::Highlight;
        case MCSC_TITLETEXT:
            return QPalette::HighlightedText;
        case MCSC_MONTHBK:
            return QPalette::Base;
        default:
            return QPalette::Text;
    }
}

QColor ColourIn(const QPalette& palette, int which) {
    const QPalette::ColorGroup group =
        which == MCSC_TRAILINGTEXT ? QPalette::Disabled : QPalette::Active;
    return palette.color(group, RoleOf(which));
}

void PutColour(QPalette& palette, int which, const QColor& colour) {
    switch (which) {
        case MCSC_TEXT:
            palette.setColor(QPalette::Active, QPalette::Text, colour);
            palette.setColor(QPalette::Inactive, QPalette::Text, colour);
            break;
        case MCSC_TRAILINGTEXT:
            palette.setColor(QPalette::Disabled, QPalette::Text, colour);
            break;
        default:
            palette.setColor(RoleOf(which), colour);
            break;
    }
}

bool IsColourIndex(int which) {
    return which >= 0 && which < kMonthCalColourCount;
}

}  // namespace

QColor CQFDateTimeCtrl::SetMonthCalColour(int which, const QColor& colour) {
    if (!IsColourIndex(which)) return {};
    const QColor previous = GetMonthCalColour(which);
    monthCalColours_[which] = colour;
    WatchCalendarPopup();
    return previous;
}

QColor CQFDateTimeCtrl::GetMonthCalColour(int which) const {
    if (!IsColourIndex(which)) return {};
    if (monthCalColours_[which].isValid()) return monthCalColours_[which];
    return ColourIn(DefaultMonthCalPalette(), which);
}

void CQFDateTimeCtrl::SetMonthCalFont(const QFont& font) {
    monthCalFont_ = font;
    WatchCalendarPopup();
}

QFont CQFDateTimeCtrl::GetMonthCalFont() const {
    if (monthCalFont_) return *monthCalFont_;
    if (const QCalendarWidget* calendar = calendarWidget()) return calendar->font();
    return QApplication::font("QCalendarWidget");
}

void CQFDateTimeCtrl::ApplyMonthCalAppearance(QCalendarWidget* calendar) const {
    // Only what was set: a calendar left alone keeps following the application's palette.
    QPalette palette = calendar->palette();
    bool changed = false;
    for (int which = 0; which < kMonthCalColourCount; ++which) {
        if (!monthCalColours_[which].isValid()) continue;
        PutColour(palette, which, monthCalColours_[which]);
        changed = true;
    }
    if (changed) calendar->setPalette(palette);
    if (monthCalFont_) calendar->setFont(*monthCalFont_);
}

QPalette CQFDateTimeCtrl::DefaultMonthCalPalette() const {
    if (const QCalendarWidget* calendar = calendarWidget()) return calendar->palette();
    return QApplication::palette("QCalendarWidget");
}

}  // namespace tally
