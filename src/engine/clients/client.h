// SPDX-License-Identifier: MIT
#pragma once
// A client: a name with its own time log and the terms its invoices carry. Clients are kept
// in the settings store; with none defined the program has one log and the Options rate.

#include <optional>
#include <string>
#include <vector>

#include "clients/tax_treatment.h"
#include "time/calendar_date.h"

namespace tally {

inline constexpr int kDefaultPaymentDays = 14;
inline constexpr int kMaxPaymentDays = 3650;
// The languages an invoice can be written in.
inline constexpr const char* kInvoiceLanguages[] = {"en", "de", "fr"};
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
    // What an invoice to a business abroad needs of the buyer; empty where not set.
    std::string country{};    // ISO 3166-1 alpha-2
    std::string vatId{};      // compact, with its country prefix
    std::string reference{};  // the buyer's purchase order or routing id
    std::string language = kInvoiceLanguages[0];
    std::string service{};  // what the lines of its invoices say was done
    TaxTreatment treatment = TaxTreatment::Standard;
    std::string taxNote{};  // the reason an exempt invoice gives
    bool einvoice = false;  // its invoices must be e-invoices: refused where one cannot be

    friend bool operator==(const Client&, const Client&) = default;
};

// Empty when the client's own values can be used; else one line saying what is wrong.
std::string ClientProblem(const Client& client);
// ClientProblem, and whether its tax treatment fits its country and the issuer's.
std::string ClientProblem(const Client& client, const std::string& issuerCountry);
// The client's ids in the form they are kept (CompactId).
void CompactIds(Client& client);
// The day an invoice issued on issued is due: paymentDays later.
CalendarDate DueDate(const CalendarDate& issued, int paymentDays);
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
