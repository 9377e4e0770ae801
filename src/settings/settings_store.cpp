#include "settings/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <cerrno>
#include <cstring>

#include "core/c_format.h"
#include "core/messages.h"
#include "core/time_log_file.h"

namespace tally {
namespace {

constexpr const char* kOptions = "Options/";
constexpr const char* kSettings = "Settings/";

QString Key(const char* section, const char* name) {
    return QString(section) + name;
}

}  // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            kOrganisationName, kApplicationName)) {}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

void SettingsStore::Load(CurrentSettings& s,
                         const std::function<void(const CurrentSettings&)>& afterDataLog) {
    QSettings& q = OnDisk();
    s.RoundingType = q.value(Key(kOptions, "RoundingType"), 0).toInt();
    s.RoundingUnit = q.value(Key(kOptions, "RoundingUnit"), 0).toInt();
    s.WeekStartDay = q.value(Key(kOptions, "WeekStartDay"), 0).toInt();
    // The week computations need 0-6: an impossible stored value is used as Sunday and
    // mended in the store at once.
    if (s.WeekStartDay >= 7 || s.WeekStartDay < 0) {
        s.WeekStartDay = 0;
        q.setValue(Key(kOptions, "WeekStartDay"), 0);
        q.sync();
    }
    s.Rate = RateFromText(q.value(Key(kOptions, "Rate"), "0.0").toString());
    s.PeriodType = q.value(Key(kOptions, "PeriodType"), 1).toInt();
    s.DataLog = q.value(Key(kOptions, "DataLog"), QString::fromStdString(DefaultTimeLogPath()))
                    .toString()
                    .toStdString();
    if (afterDataLog) afterDataLog(s);
    s.ShowDollars = q.value(Key(kOptions, "ShowDollars"), 0).toInt() != 0;
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
    q.setValue(Key(kOptions, "ShowDollars"), s.ShowDollars ? 1 : 0);
    q.setValue(Key(kOptions, "RoundingType"), s.RoundingType);
    q.setValue(Key(kOptions, "RoundingUnit"), s.RoundingUnit);
    q.setValue(Key(kOptions, "WeekStartDay"), s.WeekStartDay);
    q.setValue(Key(kOptions, "Rate"), v.Rate);
    q.setValue(Key(kOptions, "DataLog"), v.DataLog);
    q.setValue(Key(kOptions, "PeriodType"), s.PeriodType);
    q.sync();
}

WindowPosition SettingsStore::ReadWindowPosition() {
    QSettings& q = OnDisk();
    return {q.value(Key(kSettings, "X"), -1).toInt(), q.value(Key(kSettings, "Y"), -1).toInt()};
}

void SettingsStore::WriteWindowPosition(const WindowPosition& position) {
    settings_->setValue(Key(kSettings, "X"), position.x);
    settings_->setValue(Key(kSettings, "Y"), position.y);
    settings_->sync();
}

QString SettingsStore::RateText() {
    return OnDisk().value(Key(kOptions, "Rate"), "0.0").toString();
}

int SettingsStore::RoundingUnit() {
    return OnDisk().value(Key(kOptions, "RoundingUnit"), 0).toInt();
}

int SettingsStore::RoundingType() {
    return OnDisk().value(Key(kOptions, "RoundingType"), 0).toInt();
}

bool SettingsStore::StoreOption(const QString& key, const QVariant& value) {
    static const QStringList kKeys = {"ShowDollars",  "DataLog",      "Rate",        "PeriodType",
                                      "RoundingType", "RoundingUnit", "WeekStartDay"};
    if (!kKeys.contains(key)) return false;
    settings_->setValue(QString(kOptions) + key, value);
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
