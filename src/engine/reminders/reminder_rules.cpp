// SPDX-License-Identifier: MIT
#include "reminders/reminder_rules.h"

#include <algorithm>
#include <utility>

#include "time/c_format.h"

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
    idleLimit_ = std::int64_t{idleMinutes} * 60;
    longDayLimit_ = std::int64_t{longDayHours} * 3600;
}

ReminderDecision ReminderRules::OnTick(const ReminderTick& tick) {
    ReminderDecision decision;
    decision.away = CheckAway(tick);
    if (tick.clockedIn && longDayLimit_ > 0 && tick.now - tick.inAt >= longDayLimit_ &&
        remindedIn_ != tick.inAt) {
        remindedIn_ = tick.inAt;
        decision.longDay = true;
    }
    return decision;
}

std::optional<AwayTime> ReminderRules::CheckAway(const ReminderTick& tick) {
    if (!tick.clockedIn || idleLimit_ <= 0 || !tick.idleSeconds) {
        awaySince_.reset();
        lastIdle_ = 0;
        return std::nullopt;
    }
    const std::int64_t idle = std::max<std::int64_t>(*tick.idleSeconds, 0);
    const std::int64_t lastIdle = std::exchange(lastIdle_, idle);
    // A punch elsewhere (Out and In again) while away starts a new In: count from there.
    if (awaySince_ && awayIn_ != tick.inAt) awaySince_.reset();
    // Typing at the lock screen is input too: the unlock decides then, with the start kept.
    if (awaySince_ && idle < lastIdle && !absentSince_) {
        // The idle time fell: there was input since the last tick, the user is back.
        const AwayTime away{*awaySince_, tick.now - idle};
        awaySince_.reset();
        return away;
    }
    // Only time clocked in counts: input that stopped before the In counts from the In.
    const TimeValue inputStopped = std::max(tick.now - idle, tick.inAt);
    if (tick.now - inputStopped >= idleLimit_) {
        // The earliest moment seen: a late tick must not move the start of the time away.
        awaySince_ = awaySince_ ? std::min(*awaySince_, inputStopped) : inputStopped;
        awayIn_ = tick.inAt;
    }
    return std::nullopt;
}

void ReminderRules::AbsenceBegan(Absence kind, TimeValue at) {
    bool& going = kind == Absence::Suspend ? suspended_ : locked_;
    // A desktop may say it twice (KDE sends the lock on two paths): the first start counts.
    if (going) return;
    going = true;
    absentSince_ = absentSince_ ? std::min(*absentSince_, at) : at;
}

std::optional<AwayTime> ReminderRules::AbsenceEnded(Absence kind, const ReminderTick& tick) {
    bool& going = kind == Absence::Suspend ? suspended_ : locked_;
    // An end without its start (the program started during it) says nothing.
    if (!going) return std::nullopt;
    going = false;
    if (suspended_ || locked_) return std::nullopt;
    TimeValue left = *std::exchange(absentSince_, std::nullopt);
    // Input that stopped before the lock, long enough ago to count, is when the user left.
    if (awaySince_ && awayIn_ == tick.inAt) left = std::min(left, *awaySince_);
    awaySince_.reset();
    if (!tick.clockedIn || idleLimit_ <= 0) return std::nullopt;
    left = std::max(left, tick.inAt);
    if (tick.now - left < idleLimit_) return std::nullopt;
    return AwayTime{left, tick.now};
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
