// SPDX-License-Identifier: MIT
#include "recording_picker.h"

namespace tally::test {

RecordingPicker::RecordingPicker(QWidget* parent, PickerStyle style)
    : CQFDateTimeCtrl(parent, style) {}

void RecordingPicker::DoDateTimeChange() {
    committed_.push_back(GetOleDateTime());
}

}  // namespace tally::test
