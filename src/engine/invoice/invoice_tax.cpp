// SPDX-License-Identifier: MIT
#include "invoice/invoice_tax.h"

namespace tally {

double InvoiceTaxPercent(const Client& client, const Issuer& issuer) {
    if (client.treatment != TaxTreatment::Standard || issuer.smallBusiness) return 0.0;
    return client.taxPercent;
}

}  // namespace tally
