// SPDX-License-Identifier: MIT
#pragma once
// Runs the reminders on the window's timer: asks the platform for the idle time while the
// user is clocked in, raises the Idle Time prompt when the rules say so (also at the end of a
// suspend or screen lock), and hands the long-day reminder to the notifier. The decisions are the
// rules'; this class only feeds them and shows what they decide.

#include <QObject>
#include <QPointer>
#include <optional>

#include "core/open_in_record.h"
#include "core/tally_engine.h"
#include "reminders/dbus_absence_watch.h"
#include "reminders/idle_time_dlg.h"
#include "reminders/reminder_rules.h"
#include "reminders/reminder_services.h"
#include "settings/settings_store.h"
#include "time/clock.h"

class QWidget;

namespace tally {

class ReminderController : public QObject {
    Q_OBJECT

  public:
    ReminderController(TallyEngine& engine, const Clock& clock, SettingsStore& store,
                       const ReminderServices& services, QWidget* dialogParent);

    // One timer tick, after the window has read any change of the log. While clocked in, the
    // limits are read from the store each time: the Reminders dialog or tally config may
    // have changed them.
    void OnTick();

    bool IdleTimeAvailable() const { return m_services.idle != nullptr; }
    // The program finds the desktop's idle time once the window is shown; none until then.
    void SetIdleSource(IdleSource* idle) { m_services.idle = idle; }
    // A suspend or screen lock began or ended now (DBusAbsenceWatch's signals).
    void OnAbsenceBegan(Absence kind);
    void OnAbsenceEnded(Absence kind);
    void ListenTo(const DBusAbsenceWatch& watch);
    // The Idle Time prompt while it is open.
    CIdleTimeDlg* IdlePrompt() const { return m_prompt; }

  signals:
    // "Clock Out When I Left" wrote the Out records; the engine has scanned the log again.
    void ClockedOut();

  private:
    void ReadSettings();
    // The log's open In, with the limits read again while there is one.
    std::optional<OpenInRecord> OpenIn();
    ReminderTick TickNow(const std::optional<OpenInRecord>& open) const;
    void RaiseIdlePrompt(const AwayTime& away, const OpenInRecord& in);
    void OnIdlePromptFinished(int result);

    TallyEngine& m_engine;
    const Clock& m_clock;
    SettingsStore& m_store;
    ReminderServices m_services;
    QWidget* m_dialogParent;
    ReminderRules m_rules;
    QPointer<CIdleTimeDlg> m_prompt;
    OpenInRecord m_promptIn;  // the open In the prompt is about
};

}  // namespace tally
