// SPDX-License-Identifier: MIT
// Display formats in the picker format language, as Qt shows them.
#include <gtest/gtest.h>

#include "controls/picker_format.h"
#include "picker_test_support.h"

namespace tally::test {
namespace {

TEST(TranslatePickerFormat, dialogFormatsBecomePlainQtFormats) {
    EXPECT_EQ(TranslatePickerFormat(u"yyy-MM-dd HH:mm:ss"), "yyyy-MM-dd HH:mm:ss");
    EXPECT_EQ(TranslatePickerFormat(u"MM'/'dd'/'yyyy'"), "MM/dd/yyyy");
}

struct FormatCase {
    const char* pickerFormat;
    const char* shown;
};

void PrintTo(const FormatCase& format, std::ostream* out) {
    *out << format.pickerFormat;
}

class PickerFormatShows : public testing::TestWithParam<FormatCase> {};

// Tuesday 2024-03-05 19:08:09.
TEST_P(PickerFormatShows, whatThePickerShows) {
    const std::optional<QString> qtFormat = TranslatePickerFormat(QString(GetParam().pickerFormat));
    ASSERT_TRUE(qtFormat);
    EXPECT_EQ(Local(2024, 3, 5, 19, 8, 9).toString(*qtFormat), GetParam().shown)
        << qtFormat->toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PickerFormatShows,
    testing::Values(FormatCase{"yyy-MM-dd HH:mm:ss", "2024-03-05 19:08:09"},
                    FormatCase{"MM'/'dd'/'yyyy'", "03/05/2024"},
                    FormatCase{"d/M/yy H:m:s", "5/3/24 19:8:9"},
                    FormatCase{"y", "24"},  // Qt has no one-digit year
                    FormatCase{"ddd, dddd MMM MMMM", "Tue, Tuesday Mar March"},
                    FormatCase{"hh:mm tt", "07:08 PM"}, FormatCase{"h t", "7 PM"},
                    FormatCase{"dddddd MMMMM yyyyy HHH", "Tuesday March 2024 19"}));

INSTANTIATE_TEST_SUITE_P(
    Literals, PickerFormatShows,
    testing::Values(FormatCase{"'Week of' d", "Week of 5"}, FormatCase{"'O''Neil' d", "O'Neil 5"},
                    FormatCase{"d''M", "5'3"}, FormatCase{"d 'at' HH 'o''clock", "5 at 19 o'clock"},
                    FormatCase{"zap AP d", "zap AP 5"},  // no fields of the picker's
                    FormatCase{"d. M. (Ü)", "5. 3. (Ü)"}));

TEST(SetFormat, showsTheTranslatedFormatInTheEdit) {
    RecordingPicker picker;
    ASSERT_TRUE(picker.SetDateTime(Local(2024, 3, 5, 19, 8, 9)));
    ASSERT_TRUE(picker.SetFormat("yyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(picker.text(), "2024-03-05 19:08:09");
    ASSERT_TRUE(picker.SetFormat("MM'/'dd'/'yyyy'"));
    EXPECT_EQ(picker.text(), "03/05/2024");
    EXPECT_EQ(picker.dateTime(), Local(2024, 3, 5, 19, 8, 9));
    ASSERT_TRUE(picker.SetFormat("HH 'o''clock,' d'.' MMMM"));
    EXPECT_EQ(picker.text(), "19 o'clock, 5. March");
}

TEST(SetFormat, refusesCallbackFieldsAndNullRestoresTheFirstFormat) {
    RecordingPicker picker;
    const QString first = picker.displayFormat();
    ASSERT_TRUE(picker.SetFormat("MM'/'dd'/'yyyy'"));

    EXPECT_FALSE(TranslatePickerFormat(u"'Week' XX"));
    EXPECT_FALSE(picker.SetFormat("dd XXX"));
    EXPECT_EQ(picker.displayFormat(), "MM/dd/yyyy");

    EXPECT_TRUE(picker.SetFormat(nullptr));
    EXPECT_EQ(picker.displayFormat(), first);
}

}  // namespace
}  // namespace tally::test
