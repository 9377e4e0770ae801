// SPDX-License-Identifier: MIT
#include "cli/commands/config.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <span>

#include "cli/json_text.h"
#include "cli/typed_text.h"
#include "invoice/invoice_number.h"
#include "settings/invoice_settings.h"
#include "settings/reminder_settings.h"
#include "settings/settings_store.h"
#include "time/c_format.h"

namespace tally::cli {
namespace {

bool IsOptionKey(const std::string& key) {
    return std::find(kOptionKeys.begin(), kOptionKeys.end(), key) != kOptionKeys.end();
}

// The invoices' settings, named by their section so that they read apart from the options.
constexpr const char* kInvoiceFormatKey = kFormatSetting;
constexpr const char* kInvoiceFirstNumberKey = kFirstNumberSetting;
constexpr const char* kInvoiceRegisterKey = kRegisterSetting;
constexpr const char* kInvoiceCreditFormatKey = kCreditFormatSetting;
constexpr const char* kInvoiceKeys[] = {kInvoiceFormatKey, kInvoiceFirstNumberKey,
                                        kInvoiceRegisterKey, kInvoiceCreditFormatKey};

bool IsInvoiceKey(const std::string& key) {
    return std::find(std::begin(kInvoiceKeys), std::end(kInvoiceKeys), key) !=
           std::end(kInvoiceKeys);
}

std::string& InvoiceValue(InvoiceSettings& values, const std::string& key) {
    if (key == kInvoiceFormatKey) return values.numbering.format;
    if (key == kInvoiceFirstNumberKey) return values.numbering.firstNumber;
    if (key == kInvoiceCreditFormatKey) return values.creditFormat;
    return values.registerPath;
}

// Every key config knows, for a usage message: the options, the reminders, the invoices.
std::string KeyList() {
    std::string list;
    for (const char* key : kOptionKeys) list += std::string(list.empty() ? "" : ", ") + key;
    for (const ReminderKey& key : ReminderKeys()) list += std::string(", ") + key.name;
    for (const char* key : kInvoiceKeys) list += std::string(", ") + key;
    return list;
}

std::string ValueText(const CurrentSettings& s, const std::string& rateText,
                      const std::string& key) {
    if (key == kShowDollarsKey) return s.ShowDollars ? "1" : "0";
    if (key == kDataLogKey) return s.DataLog;
    if (key == kRateKey) return rateText;
    if (key == kPeriodTypeKey) return std::to_string(s.PeriodType);
    if (key == kRoundingTypeKey) return std::to_string(s.RoundingType);
    if (key == kRoundingUnitKey) return std::to_string(s.RoundingUnit);
    return std::to_string(s.WeekStartDay);
}

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// The whole-number options and the values the Options dialog offers for them.
struct Choice {
    const char* key;
    std::span<const int> values;
};

constexpr Choice kChoices[] = {{kPeriodTypeKey, kPeriodTypes},
                               {kRoundingTypeKey, kRoundingTypes},
                               {kRoundingUnitKey, kRoundingUnits},
                               {kWeekStartDayKey, kWeekStartDays}};

// "1, 15 or 30".
std::string ValueList(std::span<const int> values) {
    std::string list;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) list += i + 1 == values.size() ? " or " : ", ";
        list += std::to_string(values[i]);
    }
    return list;
}

// A rate every amount can use: a finite number from 0 to kMaxRate, all of the text, and no
// "-0", which would print amounts as "-0.00".
bool IsRate(const std::string& text) {
    if (text.starts_with('-')) return false;
    double rate = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, rate);
    return !text.empty() && ec == std::errc() && ptr == end && rate >= 0.0 && rate <= kMaxRate;
}

int Store(CommandContext& c, const std::string& key, const std::string& value) {
    QVariant stored;
    if (key == kRateKey) {
        if (!IsRate(value)) {
            return c.UsageError(std::string(kRateKey) +
                                " takes a number from 0 to 1000000000, not '" + value + "'");
        }
        stored = QString::fromStdString(value);
    } else if (key == kDataLogKey) {
        if (value.empty()) return c.UsageError(std::string(kDataLogKey) + " needs a path");
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(value, error);
        if (error) {
            c.err << "tally: cannot use " << value << ": " << error.message() << '\n';
            return kExitFailed;
        }
        stored = QString::fromStdString(absolute.lexically_normal());
    } else if (key == kShowDollarsKey) {
        const auto flag = ParseFlag(value);
        if (!flag) {
            return c.UsageError(std::string(kShowDollarsKey) + " takes 0 or 1, not '" + value +
                                "'");
        }
        stored = *flag;
    } else {
        const Choice& choice = *std::find_if(std::begin(kChoices), std::end(kChoices),
                                             [&](const Choice& ch) { return key == ch.key; });
        const auto number = WholeNumber(value);
        if (!number ||
            std::find(choice.values.begin(), choice.values.end(), *number) == choice.values.end()) {
            return c.UsageError(key + " takes " + ValueList(choice.values) + ", not '" + value +
                                "'");
        }
        stored = *number;
    }
    c.store.StoreOption(QString::fromStdString(key), stored);
    if (const std::string problem = c.store.WriteProblem(); !problem.empty()) {
        c.err << "tally: " << problem << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

int StoreReminder(CommandContext& c, const ReminderKey& key, const std::string& value) {
    const auto number = WholeNumber(value);
    if (!number || *number < 0 || *number > key.maximum) {
        return c.UsageError(std::string(key.name) + " takes 0 (off) to " +
                            std::to_string(key.maximum) + " " + key.unit + ", not '" + value + "'");
    }
    WriteReminder(c.store.Raw(), key, *number);
    if (const std::string problem = c.store.WriteProblem(); !problem.empty()) {
        c.err << "tally: " << problem << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

// A format that makes numbers, a first number it can make (or none), a register path whose
// folder exists.
int StoreInvoiceSetting(CommandContext& c, const std::string& key, const std::string& value) {
    InvoiceSettings values = ReadInvoiceSettings(c.store.Raw());
    std::string problem;
    if (key == kInvoiceFormatKey || key == kInvoiceCreditFormatKey) {
        problem = NumberFormatProblem(value);
    } else if (key == kInvoiceFirstNumberKey && !value.empty()) {
        NumberingRules rules = values.numbering;
        rules.firstNumber = value;
        if (!NextInvoiceNumber(rules, c.Today().year, {}, problem) && problem.empty())
            problem = "the format " + rules.format + " does not make '" + value + "'";
    } else if (key == kInvoiceRegisterKey) {
        if (!WritableFilePath(value, key, InvoiceValue(values, key)).empty())
            problem = "a register is a file in a folder that exists, not '" + value + "'";
    }
    if (!problem.empty()) return c.UsageError(key + ": " + problem);
    if (key != kInvoiceRegisterKey) InvoiceValue(values, key) = value;
    WriteInvoiceSettings(c.store.Raw(), values);
    if (const std::string failure = c.store.WriteProblem(); !failure.empty()) {
        c.err << "tally: " << failure << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

// Every option with the type it has (Rate as the number it is read as), then the reminders.
Json ConfigJson(CommandContext& c) {
    CurrentSettings s;
    c.store.Load(s);
    const ReminderValues reminders = ReadReminders(c.store.Raw());
    const InvoiceSettings invoices = ReadInvoiceSettings(c.store.Raw());
    Json reminderValues = Json::object();
    for (const ReminderKey& key : ReminderKeys()) reminderValues[key.name] = reminders.*key.field;
    return {{"options",
             {{kShowDollarsKey, s.ShowDollars},
              {kDataLogKey, Utf8Text(s.DataLog)},
              {kRateKey, RateFromText(c.store.RateText())},
              {kPeriodTypeKey, s.PeriodType},
              {kRoundingTypeKey, s.RoundingType},
              {kRoundingUnitKey, s.RoundingUnit},
              {kWeekStartDayKey, s.WeekStartDay}}},
            {"reminders", std::move(reminderValues)},
            {"invoices",
             {{"Format", invoices.numbering.format},
              {"FirstNumber", invoices.numbering.firstNumber},
              {"Register", Utf8Text(invoices.registerPath)},
              {"CreditFormat", invoices.creditFormat}}}};
}

}  // namespace

int RunConfig(CommandContext& c) {
    const auto& args = c.options.args;
    if (c.options.json) {
        if (!args.empty()) return c.UsageError("config --json lists every key and takes none");
        PrintJson(c.out, ConfigJson(c));
        return kExitOk;
    }
    if (args.size() > 2) return c.UsageError("config takes at most a key and a value");
    const ReminderKey* reminder = args.empty() ? nullptr : FindReminderKey(args[0]);
    if (!args.empty() && IsInvoiceKey(args[0])) {
        if (args.size() == 2) return StoreInvoiceSetting(c, args[0], args[1]);
        InvoiceSettings values = ReadInvoiceSettings(c.store.Raw());
        c.out << InvoiceValue(values, args[0]) << '\n';
        return kExitOk;
    }
    if (!args.empty() && !reminder && !IsOptionKey(args[0])) {
        return c.UsageError("unknown key '" + args[0] + "' (keys: " + KeyList() + ")");
    }
    if (reminder && args.size() == 2) return StoreReminder(c, *reminder, args[1]);
    if (reminder) {
        c.out << ReadReminders(c.store.Raw()).*reminder->field << '\n';
        return kExitOk;
    }
    if (args.size() == 2) return Store(c, args[0], args[1]);

    CurrentSettings settings;
    c.store.Load(settings);
    const std::string rateText = c.store.RateText().toStdString();
    if (args.size() == 1) {
        c.out << ValueText(settings, rateText, args[0]) << '\n';
        return kExitOk;
    }
    for (const char* key : kOptionKeys) {
        c.out << key << '\t' << ValueText(settings, rateText, key) << '\n';
    }
    const ReminderValues reminders = ReadReminders(c.store.Raw());
    for (const ReminderKey& key : ReminderKeys()) {
        c.out << key.name << '\t' << reminders.*key.field << '\n';
    }
    InvoiceSettings invoices = ReadInvoiceSettings(c.store.Raw());
    for (const char* key : kInvoiceKeys)
        c.out << key << '\t' << InvoiceValue(invoices, key) << '\n';
    return kExitOk;
}

}  // namespace tally::cli
