// SPDX-License-Identifier: MIT
// The settings store over arbitrary bytes: the fuzzed file is the store's file, loaded as the
// programs load it, and the values it gives drive a scan and an invoice of a small log, as
// they would at start-up.

#include <cmath>
#include <cstdio>

#include "core/tally_engine.h"
#include "fuzz_support.h"
#include "invoice/invoice.h"
#include "settings/reminder_settings.h"
#include "settings/settings_store.h"

namespace tally::fuzz {
namespace {

constexpr std::string_view kLog =
    "In...Sun Jan 04 09:00:00 2004\r\nOut..Sun Jan 04 12:30:00 2004\r\n"
    "Elapsed time of 03:30:00.\r\n"
    "In...Mon Jan 05 13:07:29 2004\r\nOut..Mon Jan 05 17:52:30 2004\r\n"
    "Elapsed time of 04:45:01.\r\n"
    "In...Fri Jan 16 23:50:00 2004\r\nOut..Sat Jan 17 00:10:00 2004\r\n"
    "Elapsed time of 00:20:00.\r\n"
    "In...Mon Jan 19 08:00:00 2004\r\n";

bool SameRate(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

void WriteStoreFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    TALLY_FUZZ_CHECK(file != nullptr);
    TALLY_FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    TALLY_FUZZ_CHECK(std::fclose(file) == 0);
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    static const std::string path = fuzz::ScratchFolder() + "/store.conf";
    static const fuzz::MemoryFile log(fuzz::kLog);
    // Qt's own binary variants: a count in one makes Qt calloc gigabytes, which the sanitizer's
    // allocator clears page by page (the plain program maps them untouched and reads on).
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.find("@Variant(") != std::string_view::npos) return 0;
    fuzz::WriteStoreFile(path, data, size);

    fuzz::FixedClock clock;
    fuzz::IgnoringReporter reporter;
    TallyEngine engine(clock, reporter);
    CurrentSettings& settings = engine.Settings();
    {
        SettingsStore store(QString::fromStdString(path));
        store.Load(settings);
        (void)store.ReadProblem();
        (void)store.ReadWindowPosition();
        TALLY_FUZZ_CHECK(settings.WeekStartDay >= 0 && settings.WeekStartDay <= 6);
        const ReminderValues reminders = ReadReminders(store.Raw());
        for (const ReminderKey& key : ReminderKeys()) {
            TALLY_FUZZ_CHECK(reminders.*key.field >= 0 && reminders.*key.field <= key.maximum);
        }
        // The invoice reads its three values from the store by themselves.
        TALLY_FUZZ_CHECK(fuzz::SameRate(RateFromText(store.RateText()), settings.Rate));
        TALLY_FUZZ_CHECK(store.RoundingUnit() == settings.RoundingUnit);
        TALLY_FUZZ_CHECK(store.RoundingType() == settings.RoundingType);
    }
    // What one load wrote back, the next load reads as the same values.
    CurrentSettings again;
    SettingsStore(QString::fromStdString(path)).Load(again);
    TALLY_FUZZ_CHECK(again.WeekStartDay == settings.WeekStartDay);
    TALLY_FUZZ_CHECK(again.PeriodType == settings.PeriodType);
    TALLY_FUZZ_CHECK(again.RoundingType == settings.RoundingType);
    TALLY_FUZZ_CHECK(again.RoundingUnit == settings.RoundingUnit);
    TALLY_FUZZ_CHECK(fuzz::SameRate(again.Rate, settings.Rate));

    settings.DataLog = log.Path();
    engine.ScanTimeLog();
    engine.BringUpToNow();
    engine.BuildMarqueeCaption();
    (void)GenerateInvoice(log.Path(), {2004, 1, 1}, {2004, 1, 31}, settings.Rate,
                          settings.Rounding());
    return 0;
}
