// SPDX-License-Identifier: MIT
#include "dialogs/merge_copy_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "interchange/conflict_copies.h"
#include "interchange/log_merge.h"
#include "log/messages.h"
#include "time/wall_clock.h"

namespace tally {
namespace {

constexpr int kLogSide = 0;
constexpr int kCopySide = 1;
constexpr int kMostAreaHeight = 360;  // pixels; more scrolls

QString SpanText(const MergeSpan& span) {
    return QString::fromStdString(WallTimeText(span.in) + " - " +
                                  (span.Open() ? "still open" : WallTimeText(span.out)));
}

QLabel* AddLine(QVBoxLayout* layout, const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    return label;
}

bool SameConflicts(const MergePlan& a, const MergePlan& b) {
    return std::equal(a.conflicts.begin(), a.conflicts.end(), b.conflicts.begin(),
                      b.conflicts.end(), [](const MergeConflict& x, const MergeConflict& y) {
                          return x.log == y.log && x.copy == y.copy;
                      });
}

}  // namespace

CMergeCopyDlg::CMergeCopyDlg(const CurrentSettings& settings, std::vector<std::string> copies,
                             const Clock& clock, Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      copies_(std::move(copies)),
      clock_(clock),
      reporter_(reporter) {
    setWindowTitle("Merge Copy");
    auto* layout = new QVBoxLayout(this);
    if (copies_.size() > 1) {
        auto* row = new QHBoxLayout;
        auto* label = new QLabel("&Copy:", this);
        copyBox_ = new QComboBox(this);
        for (const std::string& copy : copies_) copyBox_->addItem(QString::fromStdString(copy));
        label->setBuddy(copyBox_);
        row->addWidget(label);
        row->addWidget(copyBox_, 1);
        layout->addLayout(row);
        connect(copyBox_, &QComboBox::currentIndexChanged, this, &CMergeCopyDlg::ShowPlan);
    } else {
        auto* label = new QLabel("Copy: " + QString::fromStdString(copies_.at(0)), this);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }
    area_ = new QScrollArea(this);
    area_->setWidgetResizable(true);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setAccessibleName("What the merge does");
    layout->addWidget(area_, 1);
    auto* note = new QLabel(
        "Merge saves the log, its backups kept, then renames the copy to end in "
        ".merged-DATE-TIME: nothing is deleted.",
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(this);
    merge_ = buttons->addButton("&Merge", QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    ShowPlan();
}

std::string CMergeCopyDlg::CopyPath() const {
    const int chosen = copyBox_ != nullptr ? std::max(copyBox_->currentIndex(), 0) : 0;
    return LogFolder(settings_.DataLog) + '/' + copies_.at(static_cast<std::size_t>(chosen));
}

void CMergeCopyDlg::ShowPlan() {
    MergeOptions options;
    options.tryOnly = true;
    options.settings = settings_;
    const MergeResult result = MergeCopyIntoLog(settings_.DataLog, CopyPath(), options);
    plan_ = result.plan;
    planned_ = !result.failure;
    sides_.clear();

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    if (result.failure) {
        AddLine(layout, QString::fromStdString(*result.failure))->setWordWrap(true);
    } else {
        AddLine(layout, plan_.added.empty() ? "Nothing of the copy is added to the log."
                                            : "Added to the log:");
        for (const MergeSpan& s : plan_.added) {
            AddLine(layout,
                    "    " +
                        (s.Open() ? "the open In " + QString::fromStdString(WallTimeText(s.in))
                                  : SpanText(s)) +
                        QString(" (copy line %1)").arg(s.line));
        }
        if (plan_.duplicates > 0) {
            AddLine(layout, QString("%1 %2 in both, kept once")
                                .arg(plan_.duplicates)
                                .arg(plan_.duplicates == 1 ? "pair" : "pairs"));
        }
        for (std::size_t i = 0; i < plan_.conflicts.size(); ++i) {
            const MergeConflict& c = plan_.conflicts[i];
            auto* box = new QGroupBox(QString("Conflict %1").arg(i + 1));
            auto* lines = new QVBoxLayout(box);
            for (const MergeSpan& s : c.log)
                AddLine(lines, QString("log line %1: ").arg(s.line) + SpanText(s));
            for (const MergeSpan& s : c.copy)
                AddLine(lines, QString("copy line %1: ").arg(s.line) + SpanText(s));
            // No mnemonics: every conflict has the same two, and Tab reaches them in order.
            auto* group = new QButtonGroup(box);
            auto* row = new QHBoxLayout;
            for (const auto& [id, text] :
                 {std::pair{kLogSide, "Keep the log's"}, std::pair{kCopySide, "Keep the copy's"}}) {
                auto* side = new QRadioButton(text, box);
                group->addButton(side, id);
                row->addWidget(side);
            }
            row->addStretch(1);
            lines->addLayout(row);
            connect(group, &QButtonGroup::idClicked, this, &CMergeCopyDlg::UpdateMergeButton);
            sides_.push_back(group);
            layout->addWidget(box);
        }
    }
    layout->addStretch(1);
    area_->setWidget(content);  // the old plan's widget goes with its choices
    // Tall enough for a short plan, wide enough never to scroll sideways.
    const QSize wanted = content->sizeHint();
    area_->setMinimumWidth(wanted.width() + area_->verticalScrollBar()->sizeHint().width() +
                           2 * area_->frameWidth());
    area_->setMinimumHeight(std::min(wanted.height() + 2 * area_->frameWidth(), kMostAreaHeight));
    UpdateMergeButton();
}

std::vector<MergeSide> CMergeCopyDlg::Choices() const {
    std::vector<MergeSide> choices;
    for (const QButtonGroup* group : sides_) {
        const int id = group->checkedId();
        choices.push_back(id == kLogSide    ? MergeSide::Log
                          : id == kCopySide ? MergeSide::Copy
                                            : MergeSide::Undecided);
    }
    return choices;
}

void CMergeCopyDlg::UpdateMergeButton() {
    const std::vector<MergeSide> choices = Choices();
    merge_->setEnabled(planned_ && std::find(choices.begin(), choices.end(),
                                             MergeSide::Undecided) == choices.end());
}

void CMergeCopyDlg::accept() {
    MergeOptions options;
    options.settings = settings_;
    options.tryOnly = true;
    // The sides were chosen for the conflicts shown: if the log or the copy changed so that
    // they differ (the engine notices only a different count), they are shown again instead.
    const MergeResult now = MergeCopyIntoLog(settings_.DataLog, CopyPath(), options);
    if (now.failure || !SameConflicts(now.plan, plan_) || now.plan.added != plan_.added) {
        reporter_.Report({now.failure.value_or("Nothing merged: the log or the copy changed "
                                               "since the merge was shown; look at it again."),
                          kErrorCaption, MessageIcon::Stop});
        ShowPlan();
        return;
    }
    options.tryOnly = false;
    options.choices = Choices();
    options.now = clock_.Now();
    const MergeResult result = MergeCopyIntoLog(settings_.DataLog, CopyPath(), options);
    if (result.failure) {
        reporter_.Report({*result.failure, kErrorCaption, MessageIcon::Stop});
        ShowPlan();
        return;
    }
    QDialog::accept();
}

}  // namespace tally
