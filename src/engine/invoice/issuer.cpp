// SPDX-License-Identifier: MIT
#include "invoice/issuer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "clients/business_ids.h"
#include "log/system_error.h"

namespace tally {
namespace {

// Why the logo cannot be drawn from that file; empty when it can.
std::string LogoProblem(const std::string& path) {
    if (!std::filesystem::path(path).is_absolute()) return "the logo must be a full path";
    // Opened, not only looked at: a file the user cannot read fails here, not in the PDF.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return "the logo " + path + " cannot be read: " + LastSystemErrorText();
    struct stat st {};
    const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    close(fd);
    if (!regular) return "the logo " + path + " is not a regular file";
    return {};
}

}  // namespace

std::string IssuerProblem(const Issuer& issuer, const std::vector<Client>& clients) {
    // Each check runs on a value that is set; an empty one is simply not shown.
    const std::pair<const std::string&, std::string (*)(const std::string&)> checks[] = {
        {issuer.country, CountryProblem},
        {issuer.vatId, VatIdProblem},
        {issuer.iban, IbanProblem},
        {issuer.bic, BicProblem},
        {issuer.logo, LogoProblem}};
    for (const auto& [value, check] : checks) {
        if (value.empty()) continue;
        if (std::string problem = check(value); !problem.empty()) return problem;
    }
    if (std::string problem = VatIdCountryProblem(issuer.vatId, issuer.country, "your");
        !problem.empty())
        return problem;
    if (issuer.smallBusiness && issuer.smallBusinessNote.empty())
        return "the small-business exemption needs the note that says so (small-business-note)";
    for (const Client& client : clients) {
        const std::string problem =
            TaxTreatmentProblem(client.treatment, client.country, client.vatId, issuer.country);
        if (!problem.empty()) return "client " + client.name + ": " + problem;
    }
    return {};
}

void CompactIds(Issuer& issuer) {
    for (std::string* id : {&issuer.country, &issuer.vatId, &issuer.iban, &issuer.bic})
        *id = CompactId(*id);
}

}  // namespace tally
