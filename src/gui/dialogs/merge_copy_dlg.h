// SPDX-License-Identifier: MIT
#pragma once
// File > Merge Copy: what merging a sync tool's conflict copy into the time log would do,
// planned without writing (the pairs added, those in both, each conflict with both files'
// lines), a side chosen for every conflict, then Merge through the engine, which writes the
// log and renames the copy, or Cancel.

#include <QDialog>
#include <string>
#include <vector>

#include "core/current_settings.h"
#include "interchange/merge_plan.h"
#include "log/reporter.h"
#include "time/clock.h"

class QButtonGroup;
class QComboBox;
class QPushButton;
class QScrollArea;

namespace tally {

class CMergeCopyDlg : public QDialog {
    Q_OBJECT

  public:
    // copies: the file names of the log's conflict copies, in its folder; the first is shown.
    CMergeCopyDlg(const CurrentSettings& settings, std::vector<std::string> copies,
                  const Clock& clock, Reporter& reporter, QWidget* parent = nullptr);

    QPushButton* MergeButton() const { return merge_; }
    // Merge: the log written and the copy renamed, or the engine's refusal said and the
    // plan shown again.
    void accept() override;

  private:
    // Plans the chosen copy again, nothing written, and shows the plan.
    void ShowPlan();
    std::string CopyPath() const;
    std::vector<MergeSide> Choices() const;
    void UpdateMergeButton();

    CurrentSettings settings_;
    std::vector<std::string> copies_;
    const Clock& clock_;
    Reporter& reporter_;
    MergePlan plan_;  // as shown: every conflict undecided
    bool planned_ = false;

    QComboBox* copyBox_ = nullptr;  // only with more than one copy
    QScrollArea* area_ = nullptr;
    std::vector<QButtonGroup*> sides_;  // one per conflict of plan_, in its order
    QPushButton* merge_ = nullptr;
};

}  // namespace tally
