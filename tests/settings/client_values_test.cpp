// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "settings/client_store.h"
#include "settings/settings_store.h"
#include "test_support.h"

namespace tally {
namespace {

// A rate or tax is written as it reads back: not rounded to cents or to six digits.
TEST(ClientValues, rateAndTaxAreReadBackAsWritten) {
    const struct {
        std::optional<double> rate;
        double tax;
        const char* lines;  // as they stand in the file
    } cases[] = {
        {90.0, 19.0, "Rate=90\nTax=19\n"},
        {12.345, 7.125, "Rate=12.345\nTax=7.125\n"},
        {0.125, 12.3456789, "Rate=0.125\nTax=12.3456789\n"},
        {1e9, 0.0, "Rate=1000000000\nTax=0\n"},
        {std::nullopt, 100.0, "Rate=\nTax=100\n"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const std::string file = dir.File("settings.ini");
        Client client{"Acme", "/home/ann/acme.dat", c.rate, "EUR", c.tax, "", 14, ""};
        WriteClient(SettingsStore(QString::fromStdString(file)).Raw(), client);
        EXPECT_EQ(ReadClients(SettingsStore(QString::fromStdString(file)).Raw()),
                  std::vector<Client>{client});
        EXPECT_NE(test::ReadFile(file).find(c.lines), std::string::npos) << test::ReadFile(file);
    }
}

}  // namespace
}  // namespace tally
