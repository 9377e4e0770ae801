// SPDX-License-Identifier: MIT
// The engine's live totals: the scan's totals run on with the clock while clocked in, and
// their texts as the totals boxes show them.
#include "core/tally_engine.h"

#include "core/totals_text.h"
#include "time/elapsed_time.h"
#include "time/local_time.h"

namespace tally {
namespace {

// Adds the seconds from mark to now to a total; the mark moves to now either way.
void RunOn(std::int64_t& mark, std::int64_t now, ELAPSEDTIME* a, ELAPSEDTIME* b) {
    if (mark != 0 && now > mark) {
        const std::int64_t diff = now - mark;
        for (ELAPSEDTIME* total : {a, b}) {
            if (total == nullptr) continue;
            total->nMinutes += static_cast<std::int32_t>(diff / 60);
            total->nSeconds += static_cast<std::int32_t>(diff % 60);
            NormalizeElapsed(*total);
        }
    }
    mark = now;
}

}  // namespace

std::int64_t TallyEngine::NowCount() const {
    return SecondsCountOf(ToLocalTm(clock_.Now()));
}

bool TallyEngine::OnTimer() {
    const std::int64_t now = NowCount();
    if (!m_bClockedIn) return false;
    UpdateTodayTotals(now);
    UpdatePeriodTotals(now);
    marquee_.Rotate();
    return true;
}

void TallyEngine::BringUpToNow() {
    if (!m_bClockedIn) return;
    const std::int64_t now = NowCount();
    UpdateTodayTotals(now);
    UpdatePeriodTotals(now);
}

void TallyEngine::ShowTotals(const ELAPSEDTIME& total, std::string& first, std::string& second,
                             int count) const {
    const RoundingOptions rounding = settings_.Rounding();
    ELAPSEDTIME roundedTotal = total;
    ELAPSEDTIME roundedGrand = state_.grandTotal;
    RoundElapsed(roundedTotal, rounding);
    RoundElapsed(roundedGrand, rounding);
    const MoneyOptions money{settings_.ShowDollars, settings_.Rate};
    first = TotalText(roundedTotal, money);
    second = AverageText(roundedGrand, count, money);
}

void TallyEngine::UpdateTodayTotals(std::int64_t now) {
    RunOn(state_.todayMark, now, &state_.dayTotal, &state_.grandTotal);
    ShowTotals(state_.dayTotal, texts_.todayFirst, texts_.todaySecond, state_.dayCount);
}

void TallyEngine::UpdatePeriodTotals(std::int64_t now) {
    RunOn(state_.periodMark, now, &state_.periodTotal, nullptr);
    ShowTotals(state_.periodTotal, texts_.periodFirst, texts_.periodSecond, state_.periodCount);
}

}  // namespace tally
