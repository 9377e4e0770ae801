// SPDX-License-Identifier: MIT
#pragma once
// Clients in the settings store: one section "Client NAME" each, read with defaults for
// anything a hand left unusable.

#include <QSettings>
#include <string>
#include <vector>

#include "clients/client.h"

namespace tally {

// The currency a new client gets: the desktop locale's, else USD.
std::string DefaultCurrency();

// Every client in the store now, by name.
std::vector<Client> ReadClients(QSettings& settings);
// Writes a client's section whole (under its name; an old name's section is the caller's).
void WriteClient(QSettings& settings, const Client& client);
void RemoveClient(QSettings& settings, const std::string& name);

// Empty when the client can join the others (replacing the one named `replacing`, if any);
// else why not: its own values, its tax treatment beside the issuer's country, a name taken,
// a log or its backups shared with another.
std::string ClientConflict(const std::vector<Client>& clients, const Client& client,
                           const std::string& replacing, const std::string& issuerCountry);

}  // namespace tally
