// SPDX-License-Identifier: MIT
#pragma once
// The Options dialog: every option at once. The caller fills it with SetValues, runs it
// and, after OK, reads the values back and stores them (SettingsStore::Save).

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "settings/settings_store.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tally {

class COptionsDlg : public QDialog {
    Q_OBJECT

  public:
    // Asks for a data file, starting from a name; nothing when the user cancels.
    using FileChooser = std::function<std::optional<QString>(const QString& initialName)>;

    explicit COptionsDlg(QWidget* parent = nullptr);

    // Puts the values into the dialog and its controls, as the dialog's opening does.
    void SetValues(const OptionValues& values);
    // The values after OK: the three exchanged ones as the controls hold them.
    const OptionValues& Values() const { return values_; }

    // Replaces the file dialog of the browse button (tests).
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    void accept() override;

  private:
    void CreateControls();
    void ConnectHandlers();
    void PutExchangedValues();
    void TakeExchangedValues();
    void Refresh();
    void OnShowDollars();
    void OnBrowse();
    bool eventFilter(QObject* watched, QEvent* event) override;

    OptionValues values_;
    FileChooser chooseFile_;

    std::array<QRadioButton*, kWeekStartDays.size()> dayRadios_{};
    std::array<QRadioButton*, kRoundingTypes.size()> typeRadios_{};
    std::array<QRadioButton*, kRoundingUnits.size()> unitRadios_{};
    std::array<QRadioButton*, kPeriodTypes.size()> periodRadios_{};
    QCheckBox* showDollars_ = nullptr;
    QLabel* rateLabel_ = nullptr;
    QLineEdit* rateBox_ = nullptr;
    QLineEdit* dataFileBox_ = nullptr;
    QPushButton* browse_ = nullptr;
};

// The platform's file dialog as the browse button shows it.
std::optional<QString> ChooseDataFile(const QString& initialName);

}  // namespace tally
