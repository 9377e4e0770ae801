// SPDX-License-Identifier: MIT
#include "settings/setting_keys.h"

#include "core/current_settings.h"
#include "invoice/invoice_number.h"
#include "settings/invoice_settings.h"
#include "settings/reminder_settings.h"
#include "settings/settings_store.h"

namespace tally {

namespace {

SettingKey Option(const char* key, SettingKind kind) {
    return {.section = kOptionsSection, .key = key, .name = key, .kind = kind};
}

// A whole-number option and the values the Options dialog offers for it.
SettingKey ChoiceOption(const char* key, std::span<const int> values, int fallback) {
    SettingKey setting = Option(key, SettingKind::Choice);
    setting.choices = values;
    setting.fallback = fallback;
    return setting;
}

SettingKey Invoices(const char* key, const char* name, SettingKind kind, const char* fallback) {
    return {.section = kInvoicesSection,
            .key = key,
            .name = name,
            .kind = kind,
            .fallbackText = fallback};
}

}  // namespace

const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = [] {
        using enum SettingKind;
        SettingKey rate = Option(kRateKey, Rate);
        rate.fallbackText = "0.0";
        std::vector<SettingKey> list = {
            Option(kShowDollarsKey, Flag),
            Option(kDataLogKey, Path),
            rate,
            ChoiceOption(kPeriodTypeKey, kPeriodTypes, kPeriodHalfMonth),
            ChoiceOption(kRoundingTypeKey, kRoundingTypes, kRoundNone),
            ChoiceOption(kRoundingUnitKey, kRoundingUnits, 0),
            ChoiceOption(kWeekStartDayKey, kWeekStartDays, 0),
        };
        const ReminderValues unset;
        for (const ReminderKey& reminder : ReminderKeys()) {
            list.push_back({.section = kRemindersSection,
                            .key = reminder.name,
                            .name = reminder.name,
                            .kind = Count,
                            .maximum = reminder.maximum,
                            .unit = reminder.unit,
                            .fallback = unset.*reminder.field});
        }
        list.push_back(
            Invoices(kInvoiceFormatKey, kFormatSetting, NumberFormat, kDefaultNumberFormat));
        list.push_back(Invoices(kInvoiceFirstNumberKey, kFirstNumberSetting, FirstNumber, ""));
        // Its default is a path in the user's data folder, worked out when it is read.
        list.push_back(Invoices(kInvoiceRegisterKey, kRegisterSetting, Register, nullptr));
        list.push_back(Invoices(kInvoiceCreditFormatKey, kCreditFormatSetting, CreditFormat,
                                kDefaultCreditFormat));
        return list;
    }();
    return keys;
}

const SettingKey* FindSettingKey(const std::string& name) {
    for (const SettingKey& key : SettingKeys()) {
        if (name == key.name) return &key;
    }
    return nullptr;
}

}  // namespace tally
