#include "core/reminder_rules.h"

#include <algorithm>
#include <utility>

#include "core/c_format.h"

namespace tally {
namespace {

std::string HoursMinutes(TimeValue t) {
    const std::tm local = ToLocalTm(t);
    return FormatC("%02d:%02d", local.tm_hour, local.tm_min);
}

std::string Duration(std::int64_t seconds) {
    seconds = std::max<std::int64_t>(seconds, 0);
    return FormatC("%lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                   static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
}

}  // namespace

void ReminderRules::SetLimits(int idleMinutes, int longDayHours) {
    m_idleLimit = std::int64_t{idleMinutes} * 60;
    m_longDayLimit = std::int64_t{longDayHours} * 3600;
}

ReminderDecision ReminderRules::OnTick(const ReminderTick& tick) {
    ReminderDecision decision;
    decision.away = CheckAway(tick);
    if (tick.clockedIn && m_longDayLimit > 0 && tick.now - tick.inAt >= m_longDayLimit &&
        m_remindedIn != tick.inAt) {
        m_remindedIn = tick.inAt;
        decision.longDay = true;
    }
    return decision;
}

std::optional<AwayTime> ReminderRules::CheckAway(const ReminderTick& tick) {
    if (!tick.clockedIn || m_idleLimit <= 0 || !tick.idleSeconds) {
        m_awaySince.reset();
        m_lastIdle = 0;
        return std::nullopt;
    }
    const std::int64_t idle = std::max<std::int64_t>(*tick.idleSeconds, 0);
    const std::int64_t lastIdle = std::exchange(m_lastIdle, idle);
    // A punch elsewhere (Out and In again) while away starts a new In: count from there.
    if (m_awaySince && m_awayIn != tick.inAt) m_awaySince.reset();
    if (m_awaySince && idle < lastIdle) {
        // The idle time fell: there was input since the last tick, the user is back.
        const AwayTime away{*m_awaySince, tick.now - idle};
        m_awaySince.reset();
        return away;
    }
    // Only time clocked in counts: input that stopped before the In counts from the In.
    const TimeValue inputStopped = std::max(tick.now - idle, tick.inAt);
    if (tick.now - inputStopped >= m_idleLimit) {
        // The earliest moment seen: a late tick must not move the start of the time away.
        m_awaySince = m_awaySince ? std::min(*m_awaySince, inputStopped) : inputStopped;
        m_awayIn = tick.inAt;
    }
    return std::nullopt;
}

std::string AwayText(const AwayTime& away) {
    return "You were away from " + HoursMinutes(away.leftAt) + " to " + HoursMinutes(away.backAt) +
           " (" + Duration(away.backAt - away.leftAt) + ") while clocked in.";
}

std::string LongDayText(TimeValue inAt, TimeValue now) {
    return "You have been clocked in since " + HoursMinutes(inAt) + " (" + Duration(now - inAt) +
           ").";
}

}  // namespace tally
