// SPDX-License-Identifier: MIT
// Every text an invoice's PDF prints, finished in every language an invoice can be written
// in, with the same placeholders as the English it translates.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

#include "clients/client.h"
#include "documents/invoice_texts.h"

namespace tally {
namespace {

std::set<QString> Placeholders(const QString& text) {
    std::set<QString> found;
    for (const auto& match : QRegularExpression("%\\d").globalMatch(text))
        found.insert(match.captured());
    return found;
}

TEST(InvoiceTexts, everyLanguageHasEveryTextWithItsPlaceholders) {
    for (const char* language : kInvoiceLanguages) {
        for (int i = 0; i < kPdfTextCount; ++i) {
            const auto text = static_cast<PdfText>(i);
            const QString english = InvoiceLabel(text, "en");
            SCOPED_TRACE(std::string(language) + ": " + english.toStdString());
            EXPECT_TRUE(HasInvoiceTranslation(text, language));
            EXPECT_EQ(Placeholders(InvoiceLabel(text, language)), Placeholders(english));
        }
    }
}

}  // namespace
}  // namespace tally
