// SPDX-License-Identifier: MIT
// tally_bench_window: the main window on the century log, offscreen. Start-up inside the
// process (frame, initial update with its scan, lists drawn), a punch from the menu until
// the lists are drawn again, one timer tick while clocked in, and the Hours Chart: opened
// until drawn, and switched to the century's weeks (5,200 bars) or months.

#include <benchmark/benchmark.h>
#include <QAction>
#include <QCoreApplication>
#include <QTreeView>
#include <filesystem>
#include <memory>

#include "basics/command_ids.h"
#include "bench_logs.h"
#include "bench_start.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "time/local_time.h"
#include "window/chart/hours_chart_wnd.h"
#include "window/framework_dialogs.h"
#include "window/main_frame.h"
#include "window/qftb_app.h"
#include "window/qftb_view.h"

namespace tally::bench {
namespace {

class NoDialogs final : public FrameworkDialogs {
  public:
    QString GetOpenFileName(QWidget*) override { return {}; }
    QString GetSaveFileName(QWidget*, const QString&) override { return {}; }
    bool RunPrintDialog(QPrinter&, QWidget*) override { return false; }
    void RunPrintPreview(QPrinter&, QWidget*, const PaintPages&) override {}
    void RunPageSetup(QPrinter&, QWidget*) override {}
};

// A window on its own copy of the log and its own settings; ticks come only from the
// benchmark, as the timer's period is a day.
class Window {
  public:
    Window(const LogPreset& preset, const std::string& log)
        : copy_(dir_.File(preset.fileName)),
          store_(QString::fromStdString(dir_.File("settings.ini"))) {
        std::filesystem::copy_file(log, copy_);
        store_.StoreOption("DataLog", QString::fromStdString(copy_));
        // From the morning after the log's last year on, every punch follows the last one.
        clock_.Set(FromLocalTime(preset.shape.lastYear + 1, 1, 2, 8, 0, 0));
    }

    void Start() {
        app_ = std::make_unique<CQFTBApp>(
            AppServices{store_, clock_, reporter_, dialogs_, std::chrono::hours(24)});
        app_->InitInstance({"tallybook"});
        Draw();
    }
    void Close() { app_.reset(); }

    // Lets the window lay out and paint what changed.
    static void Draw() { QCoreApplication::processEvents(); }
    void Trigger(int id) { app_->MainFrame()->Action(id)->trigger(); }
    CQFTBView& View() { return *app_->View(); }
    test::FakeClock& Clock() { return clock_; }
    bool Failed() const { return !reporter_.messages.empty(); }
    int RawRows() { return View().RawList()->model()->rowCount(); }

  private:
    test::TempDir dir_;
    std::string copy_;
    SettingsStore store_;
    test::FakeClock clock_;
    test::RecordingReporter reporter_;
    NoDialogs dialogs_;
    std::unique_ptr<CQFTBApp> app_;
};

void StartUp(benchmark::State& state, const LogPreset& preset, const std::string& log) {
    Window window(preset, log);
    for (auto _ : state) {
        window.Start();
        state.PauseTiming();
        window.Close();
        state.ResumeTiming();
    }
}

void Punch(benchmark::State& state, const LogPreset& preset, const std::string& log) {
    Window window(preset, log);
    window.Start();
    for (auto _ : state) {
        window.Clock().Advance(47 * 60);
        window.Trigger(ID_CLOCK_IN);
        Window::Draw();
        window.Clock().Advance(47 * 60);
        window.Trigger(ID_CLOCK_OUT);
        Window::Draw();
    }
    if (window.Failed()) state.SkipWithError("a punch was refused");
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["raw_rows"] = static_cast<double>(window.RawRows());
    // Seconds per single punch: the append, the rescan and the lists drawn again.
    state.counters["per_punch"] = benchmark::Counter(
        2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Tick(benchmark::State& state, const LogPreset& preset, const std::string& log) {
    Window window(preset, log);
    window.Start();
    window.Trigger(ID_CLOCK_IN);
    Window::Draw();
    for (auto _ : state) {
        window.Clock().Advance(1);
        window.View().OnTimer();
        Window::Draw();
    }
    if (window.Failed() || !window.View().Engine().ClockedIn()) {
        state.SkipWithError("not clocked in");
    }
}

// View > Hours Chart on a window just started, until the chart is drawn: the days of the last
// three periods from the window's scan.
void ChartOpen(benchmark::State& state, const LogPreset& preset, const std::string& log) {
    Window window(preset, log);
    for (auto _ : state) {
        state.PauseTiming();
        window.Start();
        state.ResumeTiming();
        window.Trigger(ID_VIEW_HOURS_CHART);
        Window::Draw();
        state.PauseTiming();
        window.Close();
        state.ResumeTiming();
    }
}

// The open chart switched to every week or month of the century, until drawn.
void ChartSpanSwitch(benchmark::State& state, const LogPreset& preset, const std::string& log,
                     ChartSpan span) {
    Window window(preset, log);
    window.Start();
    window.Trigger(ID_VIEW_HOURS_CHART);
    Window::Draw();
    CHoursChartWnd* chart = window.View().HoursChart();
    std::size_t bars = 0;
    for (auto _ : state) {
        chart->SetSpan(span);
        Window::Draw();
        state.PauseTiming();
        bars = chart->Bars().bars.size();
        chart->SetSpan(ChartSpan::Days);
        Window::Draw();
        state.ResumeTiming();
    }
    state.counters["bars"] = static_cast<double>(bars);
}

}  // namespace
}  // namespace tally::bench

int main(int argc, char** argv) {
    using namespace tally::bench;
    return RunGuiBenchmarks(argc, argv, Screen::Offscreen, [] {
        const auto preset = FindLogPreset("century");
        const std::string log = NamedPresetLog("century");
        if (!preset || log.empty()) return false;
        const auto add = [&](const char* name, auto run, auto... extra) {
            return benchmark::RegisterBenchmark(name, run, *preset, log, extra...)->UseRealTime();
        };
        add("WindowStartUp/century", StartUp)->Unit(benchmark::kMillisecond);
        add("WindowPunch/century", Punch)->Unit(benchmark::kMillisecond);
        add("WindowTick/century", Tick)->Unit(benchmark::kMicrosecond);
        add("ChartOpen/century", ChartOpen)->Unit(benchmark::kMillisecond);
        add("ChartWeeks/century", ChartSpanSwitch, tally::ChartSpan::Weeks)
            ->Unit(benchmark::kMillisecond);
        add("ChartMonths/century", ChartSpanSwitch, tally::ChartSpan::Months)
            ->Unit(benchmark::kMillisecond);
        return true;
    });
}
