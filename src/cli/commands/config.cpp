// SPDX-License-Identifier: MIT
#include "cli/commands/config.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <span>

#include "cli/json_text.h"
#include "cli/typed_text.h"
#include "clients/amount_text.h"
#include "invoice/invoice_number.h"
#include "settings/invoice_settings.h"
#include "settings/reminder_settings.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "time/c_format.h"

namespace tally::cli {
namespace {

// The whole-number options as the current settings hold them.
constexpr std::pair<const char*, int CurrentSettings::*> kWholeOptions[] = {
    {kPeriodTypeKey, &CurrentSettings::PeriodType},
    {kRoundingTypeKey, &CurrentSettings::RoundingType},
    {kRoundingUnitKey, &CurrentSettings::RoundingUnit},
    {kWeekStartDayKey, &CurrentSettings::WeekStartDay}};

int WholeOption(const CurrentSettings& s, const char* key) {
    for (const auto& [name, field] : kWholeOptions) {
        if (std::strcmp(name, key) == 0) return s.*field;
    }
    return 0;
}

std::string& InvoiceValue(InvoiceSettings& values, const SettingKey& key) {
    if (key.kind == SettingKind::NumberFormat) return values.numbering.format;
    if (key.kind == SettingKind::CreditFormat) return values.creditFormat;
    if (key.kind == SettingKind::FirstNumber) return values.numbering.firstNumber;
    return values.registerPath;
}

bool InSection(const SettingKey& key, const char* section) {
    return std::strcmp(key.section, section) == 0;
}

// The values config shows, each section read as the program reads it, and only the
// sections asked for.
class ShownValues {
  public:
    explicit ShownValues(SettingsStore& store) : store_(store) {}

    std::string Text(const SettingKey& key) {
        if (InSection(key, kRemindersSection)) return std::to_string(Reminder(key));
        if (InSection(key, kInvoicesSection)) return InvoiceValue(Invoices(), key);
        const CurrentSettings& s = Options();
        switch (key.kind) {
            case SettingKind::Flag:
                return s.ShowDollars ? "1" : "0";
            case SettingKind::Path:
                return s.DataLog;
            case SettingKind::Rate:
                return rateText_;
            default:
                return std::to_string(WholeOption(s, key.key));
        }
    }

    // The value with the type it has; Rate as the number it is read as.
    Json Typed(const SettingKey& key) {
        switch (key.kind) {
            case SettingKind::Flag:
                return Options().ShowDollars;
            case SettingKind::Path:
                return Utf8Text(Options().DataLog);
            case SettingKind::Rate:
                Options();
                return RateFromText(QString::fromStdString(rateText_));
            case SettingKind::Choice:
                return WholeOption(Options(), key.key);
            case SettingKind::Count:
                return Reminder(key);
            case SettingKind::Register:
                return Utf8Text(Invoices().registerPath);
            default:
                return InvoiceValue(Invoices(), key);
        }
    }

  private:
    const CurrentSettings& Options() {
        if (!options_) {
            options_.emplace();
            store_.Load(*options_);
            rateText_ = store_.RateText().toStdString();
        }
        return *options_;
    }
    int Reminder(const SettingKey& key) {
        if (!reminders_) reminders_ = ReadReminders(store_.Raw());
        return (*reminders_).*(FindReminderKey(key.key)->field);
    }
    InvoiceSettings& Invoices() {
        if (!invoices_) invoices_ = ReadInvoiceSettings(store_.Raw());
        return *invoices_;
    }

    SettingsStore& store_;
    std::optional<CurrentSettings> options_;
    std::string rateText_;  // as stored, not as read
    std::optional<ReminderValues> reminders_;
    std::optional<InvoiceSettings> invoices_;
};

// Every key config knows, for a usage message.
std::string KeyList() {
    std::string list;
    for (const SettingKey& key : SettingKeys())
        list += std::string(list.empty() ? "" : ", ") + key.name;
    return list;
}

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// "1, 15 or 30".
std::string ValueList(std::span<const int> values) {
    std::string list;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) list += i + 1 == values.size() ? " or " : ", ";
        list += std::to_string(values[i]);
    }
    return list;
}

// An option as the Options dialog would take it.
int StoreOption(CommandContext& c, const SettingKey& key, const std::string& value) {
    const std::string name = key.name;
    QVariant stored;
    if (key.kind == SettingKind::Rate) {
        if (!ParseRate(value)) {
            return c.UsageError(name + " takes a number from 0 to " + MaxRateText() + ", not '" +
                                value + "'");
        }
        stored = QString::fromStdString(value);
    } else if (key.kind == SettingKind::Path) {
        if (value.empty()) return c.UsageError(name + " needs a path");
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(value, error);
        if (error) {
            c.err << "tally: cannot use " << value << ": " << error.message() << '\n';
            return kExitFailed;
        }
        stored = QString::fromStdString(absolute.lexically_normal());
    } else if (key.kind == SettingKind::Flag) {
        const auto flag = ParseFlag(value);
        if (!flag) return c.UsageError(name + " takes 0 or 1, not '" + value + "'");
        stored = *flag;
    } else {
        const auto number = WholeNumber(value);
        if (!number ||
            std::find(key.choices.begin(), key.choices.end(), *number) == key.choices.end()) {
            return c.UsageError(name + " takes " + ValueList(key.choices) + ", not '" + value +
                                "'");
        }
        stored = *number;
    }
    c.store.StoreOption(QString(key.key), stored);
    return c.StoreWritten();
}

int StoreReminder(CommandContext& c, const SettingKey& key, const std::string& value) {
    const auto number = WholeNumber(value);
    if (!number || *number < 0 || *number > key.maximum) {
        return c.UsageError(std::string(key.name) + " takes 0 (off) to " +
                            std::to_string(key.maximum) + " " + key.unit + ", not '" + value + "'");
    }
    WriteReminder(c.store.Raw(), *FindReminderKey(key.key), *number);
    return c.StoreWritten();
}

// A format that makes numbers, a first number it can make (or none), a register path whose
// folder exists.
int StoreInvoiceSetting(CommandContext& c, const SettingKey& key, const std::string& value) {
    InvoiceSettings values = ReadInvoiceSettings(c.store.Raw());
    std::string problem;
    if (key.kind == SettingKind::NumberFormat || key.kind == SettingKind::CreditFormat) {
        problem = NumberFormatProblem(value);
    } else if (key.kind == SettingKind::FirstNumber && !value.empty()) {
        NumberingRules rules = values.numbering;
        rules.firstNumber = value;
        if (!NextInvoiceNumber(rules, c.Today().year, {}, problem) && problem.empty())
            problem = "the format " + rules.format + " does not make '" + value + "'";
    } else if (key.kind == SettingKind::Register) {
        if (!WritableFilePath(value, key.name, values.registerPath).empty())
            problem = "a register is a file in a folder that exists, not '" + value + "'";
    }
    if (!problem.empty()) return c.UsageError(key.name + (": " + problem));
    if (key.kind != SettingKind::Register) InvoiceValue(values, key) = value;
    WriteInvoiceSettings(c.store.Raw(), values);
    return c.StoreWritten();
}

int Store(CommandContext& c, const SettingKey& key, const std::string& value) {
    if (InSection(key, kRemindersSection)) return StoreReminder(c, key, value);
    if (InSection(key, kInvoicesSection)) return StoreInvoiceSetting(c, key, value);
    return StoreOption(c, key, value);
}

// Every key with the type it has, grouped by its section named in small letters.
Json ConfigJson(CommandContext& c) {
    ShownValues values(c.store);
    Json document = Json::object();
    for (const SettingKey& key : SettingKeys()) {
        std::string group = key.section;
        std::transform(group.begin(), group.end(), group.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        document[group][key.key] = values.Typed(key);
    }
    return document;
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
    ShownValues values(c.store);
    if (args.empty()) {
        for (const SettingKey& key : SettingKeys())
            c.out << key.name << '\t' << values.Text(key) << '\n';
        return kExitOk;
    }
    const SettingKey* key = FindSettingKey(args[0]);
    if (key == nullptr)
        return c.UsageError("unknown key '" + args[0] + "' (keys: " + KeyList() + ")");
    if (args.size() == 2) return Store(c, *key, args[1]);
    c.out << values.Text(*key) << '\n';
    return kExitOk;
}

}  // namespace tally::cli
