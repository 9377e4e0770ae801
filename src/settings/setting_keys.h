// SPDX-License-Identifier: MIT
#pragma once
// Every setting `tally config` shows and sets, each declared once: its section and key in
// the store, the kind of value it takes, its range or choices and what it reads as unset.

#include <span>
#include <string>
#include <vector>

namespace tally {

enum class SettingKind {
    Flag,          // 0 or 1
    Path,          // a file path, kept absolute
    Rate,          // an hourly rate (ParseRate)
    Choice,        // one of the whole numbers a dialog offers
    Count,         // a whole number from 0 (off) to a maximum
    NumberFormat,  // how invoice numbers are made
    FirstNumber,   // the first number the format makes, or none
    Register,      // the invoice register: a file in a folder that exists
    CreditFormat,  // how credit notes' numbers are made
};

struct SettingKey {
    const char* section;  // in the store
    const char* key;      // in its section
    const char* name;     // as tally config names it
    SettingKind kind;
    std::span<const int> choices = {};  // Choice: the values offered
    int maximum = 0;                    // Count: the highest value
    const char* unit = "";              // Count: what it counts, for messages
    int fallback = 0;                   // Flag, Choice, Count: the value when unset
    // Rate, NumberFormat, FirstNumber, CreditFormat: the text when unset; nullptr where the program
    // works it out (the paths of DataLog and Register).
    const char* fallbackText = nullptr;
};

// Every key in the order config lists them: the options, the reminders, the invoices.
const std::vector<SettingKey>& SettingKeys();
// The key tally config names so; nullptr for none.
const SettingKey* FindSettingKey(const std::string& name);

}  // namespace tally
