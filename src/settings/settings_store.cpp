// SPDX-License-Identifier: MIT
#include "settings/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <cerrno>
#include <cstring>

#include "log/messages.h"
#include "log/time_log_file.h"
#include "settings/setting_keys.h"
#include "time/c_format.h"

namespace tally {
namespace {

QString Option(const char* key) {
    return StorePath(kOptionsSection, key);
}

// What an option the store does not hold reads as.
QVariant Fallback(const char* key) {
    const SettingKey& setting = *FindSettingKey(key);
    if (setting.fallbackText != nullptr) return QString(setting.fallbackText);
    return setting.fallback;
}

// A text option as the file holds it. Qt's INI reader takes a value with an unquoted comma
// for a list (a hand-written "Rate=12,50", a path with a comma) whose text would be empty;
// its parts are joined again (blanks around the commas are lost).
QString StoredText(const QVariant& value) {
    if (value.userType() == QMetaType::QStringList) return value.toStringList().join(',');
    return value.toString();
}

}  // namespace

QString StorePath(const char* section, const char* key) {
    return QString(section) + '/' + key;
}

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            kOrganisationName, kApplicationName)) {}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::string SettingsStore::StoredDataLog() {
    return StoredText(
               OnDisk().value(Option(kDataLogKey), QString::fromStdString(DefaultTimeLogPath())))
        .toStdString();
}

void SettingsStore::Load(CurrentSettings& s,
                         const std::function<void(const CurrentSettings&)>& afterDataLog) {
    QSettings& q = OnDisk();
    s.RoundingType = q.value(Option(kRoundingTypeKey), Fallback(kRoundingTypeKey)).toInt();
    s.RoundingUnit = q.value(Option(kRoundingUnitKey), Fallback(kRoundingUnitKey)).toInt();
    s.WeekStartDay = q.value(Option(kWeekStartDayKey), Fallback(kWeekStartDayKey)).toInt();
    // The week computations need 0-6: an impossible stored value is used as Sunday and
    // mended in the store at once.
    if (s.WeekStartDay >= 7 || s.WeekStartDay < 0) {
        s.WeekStartDay = 0;
        q.setValue(Option(kWeekStartDayKey), 0);
        q.sync();
    }
    s.Rate = RateFromText(StoredText(q.value(Option(kRateKey), Fallback(kRateKey))));
    s.PeriodType = q.value(Option(kPeriodTypeKey), Fallback(kPeriodTypeKey)).toInt();
    s.DataLog = StoredDataLog();
    if (afterDataLog) afterDataLog(s);
    s.ShowDollars = q.value(Option(kShowDollarsKey), Fallback(kShowDollarsKey)).toInt() != 0;
}

void SettingsStore::Save(const OptionValues& v, CurrentSettings& s) {
    s.ShowDollars = v.ShowDollars;
    s.DataLog = v.DataLog.toStdString();
    s.Rate = RateFromText(v.Rate);
    s.PeriodType = v.PeriodType;
    s.RoundingType = v.RoundingType;
    s.RoundingUnit = v.RoundingUnit;
    s.WeekStartDay = v.WeekStartDay;
    QSettings& q = *settings_;
    q.setValue(Option(kShowDollarsKey), s.ShowDollars ? 1 : 0);
    q.setValue(Option(kRoundingTypeKey), s.RoundingType);
    q.setValue(Option(kRoundingUnitKey), s.RoundingUnit);
    q.setValue(Option(kWeekStartDayKey), s.WeekStartDay);
    q.setValue(Option(kRateKey), v.Rate);
    q.setValue(Option(kDataLogKey), v.DataLog);
    q.setValue(Option(kPeriodTypeKey), s.PeriodType);
    q.sync();
}

WindowPosition SettingsStore::ReadWindowPosition() {
    QSettings& q = OnDisk();
    return {q.value(StorePath(kSettingsSection, kWindowXKey), -1).toInt(),
            q.value(StorePath(kSettingsSection, kWindowYKey), -1).toInt()};
}

void SettingsStore::WriteWindowPosition(const WindowPosition& position) {
    settings_->setValue(StorePath(kSettingsSection, kWindowXKey), position.x);
    settings_->setValue(StorePath(kSettingsSection, kWindowYKey), position.y);
    settings_->sync();
}

QString SettingsStore::RateText() {
    return StoredText(OnDisk().value(Option(kRateKey), Fallback(kRateKey)));
}

int SettingsStore::RoundingUnit() {
    return OnDisk().value(Option(kRoundingUnitKey), Fallback(kRoundingUnitKey)).toInt();
}

int SettingsStore::RoundingType() {
    return OnDisk().value(Option(kRoundingTypeKey), Fallback(kRoundingTypeKey)).toInt();
}

bool SettingsStore::StoreOption(const QString& key, const QVariant& value) {
    const SettingKey* known = FindSettingKey(key.toStdString());
    if (known == nullptr || std::strcmp(known->section, kOptionsSection) != 0) return false;
    settings_->setValue(Option(known->key), value);
    settings_->sync();
    return true;
}

QSettings& SettingsStore::OnDisk() {
    // QSettings keeps what it read at start-up; sync() reads the file again when its size or
    // modification time changed, so values that tally config or a second copy wrote count.
    settings_->sync();
    return *settings_;
}

std::string SettingsStore::ReadProblem() const {
    const std::string file = settings_->fileName().toStdString();
    // QSettings reads an unreadable file as an empty one and says nothing: look ourselves.
    FileDescriptor fd(open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};  // no store yet: the defaults
        return "cannot read " + file + ": " + std::strerror(errno);
    }
    struct stat st {};
    if (fstat(fd.Get(), &st) != 0) return "cannot read " + file + ": " + std::strerror(errno);
    if (!S_ISREG(st.st_mode)) return file + " is not a regular file";
    if (settings_->status() != QSettings::NoError) return "cannot read " + file;
    return {};
}

std::string SettingsStore::WriteProblem() const {
    if (settings_->status() == QSettings::NoError) return {};
    return "cannot write " + settings_->fileName().toStdString();
}

OptionValues SettingsStore::ToOptionValues(const CurrentSettings& s) {
    OptionValues v;
    v.ShowDollars = s.ShowDollars;
    v.DataLog = QString::fromStdString(s.DataLog);
    v.Rate = RateToText(s.Rate);
    v.PeriodType = s.PeriodType;
    v.RoundingType = s.RoundingType;
    v.RoundingUnit = s.RoundingUnit;
    v.WeekStartDay = s.WeekStartDay;
    return v;
}

double RateFromText(const QString& text) {
    return RateFromC(text.toLocal8Bit().constData());
}

QString RateToText(double rate) {
    return QString::fromStdString(FormatC("%.02f", rate));
}

}  // namespace tally
