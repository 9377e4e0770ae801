// SPDX-License-Identifier: MIT
#include "reminders/reminder_controller.h"

#include "settings/reminder_settings.h"

namespace tally {

ReminderController::ReminderController(TallyEngine& engine, const Clock& clock,
                                       SettingsStore& store, const ReminderServices& services,
                                       QWidget* dialogParent)
    : m_engine(engine),
      m_clock(clock),
      m_store(store),
      m_services(services),
      m_dialogParent(dialogParent) {}

void ReminderController::ReadSettings() {
    const ReminderValues values = ReadReminders(m_store.Raw());
    m_rules.SetLimits(values.idleMinutes, values.longDayHours);
}

std::optional<OpenInRecord> ReminderController::OpenIn() {
    if (!m_engine.ClockedIn()) return std::nullopt;
    std::optional<OpenInRecord> open = ReadOpenInRecord(m_engine.Settings().DataLog);
    if (open) ReadSettings();
    return open;
}

ReminderTick ReminderController::TickNow(const std::optional<OpenInRecord>& open) const {
    ReminderTick tick;
    tick.clockedIn = open.has_value();
    tick.inAt = open ? open->at : 0;
    tick.now = m_clock.Now();
    return tick;
}

void ReminderController::OnTick() {
    const std::optional<OpenInRecord> open = OpenIn();
    // A punch from elsewhere answered the question: the prompt goes, and changes nothing.
    if (m_prompt && open != m_promptIn) m_prompt->reject();
    ReminderTick tick = TickNow(open);
    // Only asked while clocked in: the answer is of no use otherwise.
    if (open && m_services.idle != nullptr) tick.idleSeconds = m_services.idle->IdleSeconds();
    const ReminderDecision decision = m_rules.OnTick(tick);
    if (decision.away && !m_prompt) RaiseIdlePrompt(*decision.away, *open);
    if (decision.longDay) {
        m_services.notifier.Notify("TallyBook",
                                   QString::fromStdString(LongDayText(tick.inAt, tick.now)));
    }
}

void ReminderController::OnAbsenceBegan(Absence kind) {
    m_rules.AbsenceBegan(kind, m_clock.Now());
}

void ReminderController::OnAbsenceEnded(Absence kind) {
    const std::optional<OpenInRecord> open = OpenIn();
    const std::optional<AwayTime> away = m_rules.AbsenceEnded(kind, TickNow(open));
    if (away && !m_prompt) RaiseIdlePrompt(*away, *open);
}

void ReminderController::ListenTo(const DBusAbsenceWatch& watch) {
    connect(&watch, &DBusAbsenceWatch::Began, this, &ReminderController::OnAbsenceBegan);
    connect(&watch, &DBusAbsenceWatch::Ended, this, &ReminderController::OnAbsenceEnded);
}

void ReminderController::RaiseIdlePrompt(const AwayTime& away, const OpenInRecord& in) {
    m_promptIn = in;
    m_prompt = new CIdleTimeDlg(away, m_dialogParent);
    m_prompt->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_prompt, &QDialog::finished, this, &ReminderController::OnIdlePromptFinished);
    // Window-modal, without a loop of its own: the timer goes on and can close it.
    m_prompt->open();
    m_prompt->raise();
    m_prompt->activateWindow();
}

void ReminderController::OnIdlePromptFinished(int result) {
    const AwayTime away = m_prompt->Away();
    m_prompt = nullptr;
    // The engine checks under the log's lock that the In is still the one asked about.
    if (result == QDialog::Accepted && m_engine.OnClockOutAt(away.leftAt, &m_promptIn)) {
        emit ClockedOut();
    }
}

}  // namespace tally
