// SPDX-License-Identifier: MIT
#pragma once
// A client: a name with its own time log and the terms its invoices carry. Clients are kept
// in the settings store; with none defined the program has one log and the Options rate.

#include <optional>
#include <string>
#include <vector>

namespace tally {

inline constexpr int kDefaultPaymentDays = 14;
inline constexpr int kMaxPaymentDays = 3650;
inline constexpr std::size_t kMaxClientNameLength = 100;  // characters, not bytes

struct Client {
    std::string name;
    std::string log;             // absolute path of its time log
    std::optional<double> rate;  // none: the Options rate
    std::string currency;        // ISO 4217 code, three capital letters
    double taxPercent = 0.0;     // 0: no tax line
    std::string address;         // billing address, lines separated by LF
    int paymentDays = kDefaultPaymentDays;
    std::string number;  // the client's number, optional

    friend bool operator==(const Client&, const Client&) = default;
};

// Empty when the client's own values can be used; else one line saying what is wrong.
std::string ClientProblem(const Client& client);
// A rate or tax text as the command line and the dialog take it: a finite number from 0 to
// maximum in the C locale; nothing for anything else.
std::optional<double> ParseAmount(const std::string& text, double maximum);
// True when two paths name one log: the same path, the same file (a symbolic or hard link),
// or the same name in one folder reached through a linked folder.
bool SameLog(const std::string& a, const std::string& b);
// The client whose log that is (SameLog); nullptr for none.
const Client* ClientOfLog(const std::vector<Client>& clients, const std::string& log);
const Client* FindClient(const std::vector<Client>& clients, const std::string& name);
// True when two logs would share their backups (same folder and stem: the backups replace
// the extension), or are one log (SameLog), so they cannot belong to two clients.
bool LogsShareBackups(const std::string& a, const std::string& b);
// The rate money figures of a log use: its client's where set, else the Options rate.
double EffectiveRate(const std::vector<Client>& clients, const std::string& log,
                     double optionsRate);

}  // namespace tally
