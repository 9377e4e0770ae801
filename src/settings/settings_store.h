// SPDX-License-Identifier: MIT
#pragma once
// The options and the main window's position, kept with QSettings under the organisation
// and application names of the program, sections "Options" and "Settings".

#include <QSettings>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "core/current_settings.h"

namespace tally {

inline constexpr const char* kOrganisationName = "Local AppWizard-Generated Applications";

// The store's two sections: the seven options, and the main window's position.
inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kSettingsSection = "Settings";

// The keys of the options section.
inline constexpr const char* kShowDollarsKey = "ShowDollars";
inline constexpr const char* kDataLogKey = "DataLog";
inline constexpr const char* kRateKey = "Rate";
inline constexpr const char* kPeriodTypeKey = "PeriodType";
inline constexpr const char* kRoundingTypeKey = "RoundingType";
inline constexpr const char* kRoundingUnitKey = "RoundingUnit";
inline constexpr const char* kWeekStartDayKey = "WeekStartDay";

// The keys of the settings section: the window's left and top.
inline constexpr const char* kWindowXKey = "X";
inline constexpr const char* kWindowYKey = "Y";

// Where a key of a section is in the store: "Section/Key".
QString StorePath(const char* section, const char* key);

// The seven option values as the Options dialog edits them: the rate as its text.
struct OptionValues {
    bool ShowDollars = false;
    QString DataLog;
    QString Rate;
    int PeriodType = kPeriodHalfMonth;
    int RoundingType = kRoundNone;
    int RoundingUnit = 0;
    int WeekStartDay = 0;
};

struct WindowPosition {
    int x = -1;
    int y = -1;
};

class SettingsStore {
  public:
    // The user's store of this program.
    SettingsStore();
    // A store in a given file (tests, and a --config option of a front end).
    explicit SettingsStore(const QString& iniFile);

    // Reads every option, as the file holds it now, in load order; the week start fix-up
    // writes 0 back. afterDataLog runs between DataLog and ShowDollars (the main window
    // probes the log there).
    void Load(CurrentSettings& settings,
              const std::function<void(const CurrentSettings&)>& afterDataLog = {});

    // The DataLog option as Load reads it.
    std::string StoredDataLog();

    // Takes the dialog's values into the settings, then writes every key in save order.
    void Save(const OptionValues& values, CurrentSettings& settings);

    WindowPosition ReadWindowPosition();
    void WriteWindowPosition(const WindowPosition& position);

    // The stored rate text (default "0.0"), rounding unit and type, as the invoice reads them.
    QString RateText();
    int RoundingUnit();
    int RoundingType();

    // Stores one option by key name; false for an unknown key. For the command line.
    bool StoreOption(const QString& key, const QVariant& value);

    // Empty when the store's file is missing (all defaults) or could be read; else one line
    // naming the file and why it cannot be read. The store reads such a file as empty.
    std::string ReadProblem() const;
    // Empty when the last write reached the file; else one line naming the file.
    std::string WriteProblem() const;

    // Options offered in the Options dialog for the current settings.
    static OptionValues ToOptionValues(const CurrentSettings& settings);

    QSettings& Raw() { return *settings_; }

  private:
    // The store as the file holds it now, whoever wrote it since the last read.
    QSettings& OnDisk();

    std::unique_ptr<QSettings> settings_;
};

// The rate text as atof reads it (C locale).
double RateFromText(const QString& text);
// The rate as the Options dialog offers it: two decimals.
QString RateToText(double rate);

}  // namespace tally
