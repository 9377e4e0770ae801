// SPDX-License-Identifier: MIT
#pragma once
// The tax percent an invoice to a client charges: its own rate only where its treatment is
// standard and the issuer is not exempt as a small business.

#include "clients/client.h"
#include "invoice/issuer.h"

namespace tally {

double InvoiceTaxPercent(const Client& client, const Issuer& issuer);

}  // namespace tally
