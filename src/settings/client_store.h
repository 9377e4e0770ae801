// SPDX-License-Identifier: MIT
#pragma once
// Clients in the settings store: one section "Client NAME" each, read with defaults for
// anything a hand left unusable.

#include <QSettings>
#include <optional>
#include <string>
#include <vector>

#include "clients/client.h"
#include "clients/clients_lock.h"
#include "invoice/issuer.h"
#include "settings/settings_store.h"

namespace tally {

// The currency a new client gets: the desktop locale's, else USD.
std::string DefaultCurrency();

// Every client in the store now, by name.
std::vector<Client> ReadClients(QSettings& settings);
// Writes a client's section whole (under its name; an old name's section is the caller's).
void WriteClient(QSettings& settings, const Client& client);
void RemoveClient(QSettings& settings, const std::string& name);

// Empty when the client can join the others (replacing the one named `replacing`, if any);
// else why not: its own values, its tax treatment beside the issuer's country, a name the
// store cannot keep as it is or would keep in another's section, a log or its backups shared
// with another.
std::string ClientConflict(const std::vector<Client>& clients, const Client& client,
                           const std::string& replacing, const std::string& issuerCountry);

// The clients lock file beside the settings file, and the book the punches read under it.
std::string ClientsLockPath(QSettings& settings);
ClientBook ClientBookOf(QSettings& settings);

struct ClientStoreChange {
    enum class Result {
        Stored,
        BadValue,   // the client's values, or a clash with another client's
        ClockedIn,  // it would take a clocked-in client's log away, or make two clients In
        Failed,     // the lock or the store's file
    };
    Result result = Result::Stored;
    std::string reason;  // one line, for anything but Stored
};

// Stores client (replacing the one named `replacing`; a new one when empty) or, with none,
// removes `replacing`: under the clients lock, checked against the store and the logs as
// they are then.
ClientStoreChange ChangeClient(SettingsStore& store, const std::optional<Client>& client,
                               const std::string& replacing);

// Stores the issuer under the same lock, checked against the clients as they are then: its
// country decides which of their tax treatments hold.
ClientStoreChange ChangeIssuer(SettingsStore& store, const Issuer& issuer);

}  // namespace tally
