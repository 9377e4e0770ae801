// SPDX-License-Identifier: MIT
#include "invoice/invoice_tax.h"

namespace tally {

InvoiceTax TaxOf(const Client& client, const Issuer& issuer) {
    if (issuer.smallBusiness) return {0.0, TaxNote::SmallBusiness, issuer.smallBusinessNote};
    switch (client.treatment) {
        case TaxTreatment::Standard:
            return {client.taxPercent, TaxNote::None, {}};
        case TaxTreatment::ReverseCharge:
            return {0.0, TaxNote::ReverseCharge, {}};
        case TaxTreatment::Exempt:
            return {0.0, TaxNote::Exempt, client.taxNote};
        case TaxTreatment::OutsideScope:
            return {0.0, TaxNote::OutsideScope, {}};
    }
    return {client.taxPercent, TaxNote::None, {}};
}

}  // namespace tally
