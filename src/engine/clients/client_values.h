// SPDX-License-Identifier: MIT
#pragma once
// A client's values given as text, read alike by `tally client` and the Clients dialog.

#include <string>

#include "clients/client.h"

namespace tally {

// Sets the value of key from its text and returns empty, or returns why the text is not
// one (the value then is as it was). The keys: rate (empty: the Options rate), currency,
// tax, days, address, number, country, vat-id, reference, language, service, tax-note and
// treatment. The log is set by the caller, which knows where its path was typed.
std::string SetClientValue(Client& client, const std::string& key, const std::string& text);

}  // namespace tally
