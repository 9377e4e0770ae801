// SPDX-License-Identifier: MIT
// The clients of the settings store over arbitrary bytes: the fuzzed file is the store's
// file. Every value read lies in its range; the clients written to a new store read back
// under the same names with the same values.

#include <cstdio>
#include <filesystem>

#include "fuzz_support.h"
#include "settings/client_store.h"
#include "settings/settings_store.h"
#include "time/c_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    static const std::string path = fuzz::ScratchFolder() + "/clients.conf";
    static const std::string copyPath = fuzz::ScratchFolder() + "/written.conf";
    // Qt's binary variants make Qt allocate what a count in them says (see fuzz_settings).
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.find("@Variant(") != std::string_view::npos) return 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    TALLY_FUZZ_CHECK(file != nullptr && std::fwrite(data, 1, size, file) == size);
    TALLY_FUZZ_CHECK(std::fclose(file) == 0);
    std::filesystem::remove(copyPath);

    std::vector<Client> clients = ReadClients(SettingsStore(QString::fromStdString(path)).Raw());
    for (const Client& c : clients) {
        TALLY_FUZZ_CHECK(!c.name.empty() && !c.currency.empty());
        TALLY_FUZZ_CHECK(!c.rate || (*c.rate >= 0.0 && *c.rate <= kMaxRate));
        TALLY_FUZZ_CHECK(c.taxPercent >= 0.0 && c.taxPercent <= 100.0);
        TALLY_FUZZ_CHECK(c.paymentDays >= 0 && c.paymentDays <= kMaxPaymentDays);
    }
    {
        SettingsStore written(QString::fromStdString(copyPath));
        for (const Client& c : clients) WriteClient(written.Raw(), c);
    }
    const std::vector<Client> reread =
        ReadClients(SettingsStore(QString::fromStdString(copyPath)).Raw());
    TALLY_FUZZ_CHECK(reread == clients);
    return 0;
}
