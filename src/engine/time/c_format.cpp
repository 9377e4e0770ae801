// SPDX-License-Identifier: MIT
#include "time/c_format.h"

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace tally {
namespace {

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// Switches this thread to the C locale for the lifetime of the guard.
class CLocaleScope {
  public:
    CLocaleScope() : previous_(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

  private:
    locale_t previous_;
};

}  // namespace

std::string FormatC(const char* format, ...) {
    CLocaleScope scope;
    char small[128];
    va_list args;
    va_start(args, format);
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (needed < 0) return {};
    if (static_cast<std::size_t>(needed) < sizeof small) return std::string(small, needed);
    std::string result(static_cast<std::size_t>(needed) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(result.data(), result.size(), format, args);
    va_end(args);
    result.resize(static_cast<std::size_t>(needed));
    return result;
}

double AtofC(const char* text) {
    return strtod_l(text, nullptr, CLocale());
}

double RateFromC(const char* text) {
    const double rate = AtofC(text);
    return std::isfinite(rate) && std::fabs(rate) <= kMaxRate ? rate : 0.0;
}

std::string FillTemplate(const char* templ, const std::string& value) {
    std::string result(templ);
    const auto at = result.find("%s");
    if (at != std::string::npos) result.replace(at, 2, value);
    return result;
}

}  // namespace tally
