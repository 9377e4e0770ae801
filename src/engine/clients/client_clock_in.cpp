// SPDX-License-Identifier: MIT
#include "clients/client_clock_in.h"

#include "core/open_in_record.h"

namespace tally {

ClientClockIn ClockInForClient(TallyEngine& engine, const ClientBook& book,
                               std::optional<TimeValue> at) {
    const auto punch = [&] { return at ? engine.OnClockInBackdated(*at) : engine.OnClockIn(); };
    ClientClockIn result;
    // A client is only ever added under the lock, so a book without one needs none.
    if (book.read().empty()) {
        result.written = punch();
        return result;
    }
    ReportsAfterLock reports(engine);
    ClientsLock lock;
    if (auto refusal = lock.Acquire(book.lockPath, engine.GetLockOptions().wait)) {
        reports.Report(*refusal);
        return result;
    }
    const std::string& log = engine.Settings().DataLog;
    // An open In on this log is the engine's own to refuse, with its message.
    if (!ReadOpenInRecord(log)) {
        result.openElsewhere = OpenClientElsewhere(book.read(), log);
        if (result.openElsewhere) return result;
    }
    result.written = punch();
    return result;
}

}  // namespace tally
