// The main window's costs: a keystroke in the curve number field until the chain is recomputed
// and the grid refilled, building the window with FormCreate, the whole process from its start
// to the About dialog on screen with its peak memory, and saving the longest result table.

#include "controls/Unidades.h"
#include "engine/ModelState.h"
#include "plot/PlotWindow.h"
#include "text/FieldText.h"
#include "ui/MainFormVelmaro.h"
#include "ui/ResultGrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using velmaro::TMainFormVelmaro;

// Each keystroke replaces the last digit of the curve number: 85, 86, 85, ... With the plot
// window open, each keystroke also redraws the plot into an image.
void TypeCurveNumbers(benchmark::State &state, TMainFormVelmaro &window,
                      velmaro::PlotWindow *plot = nullptr)
{
    window.PageControl1->setCurrentWidget(window.Condicionantes);
    const char digits[] = {'6', '5'};
    int typed = 0;
    for (auto _ : state) {
        window.euNc->setSelection(1, 1);
        QTest::keyClick(window.euNc, digits[typed++ & 1]);
        if (plot)
            benchmark::DoNotOptimize(plot->Plot()->toPixmap());
    }
    if (window.Model().CurveNumber < 85 || window.Model().CurveNumber > 86)
        state.SkipWithError("the keystrokes did not reach the curve number");
}

void BM_CurveNumberKeystroke_Defaults(benchmark::State &state)
{
    velmaro::ModelState model;
    TMainFormVelmaro window(model);
    TypeCurveNumbers(state, window);
}
BENCHMARK(BM_CurveNumberKeystroke_Defaults)->Unit(benchmark::kMillisecond);

void BM_CurveNumberKeystroke_100StepsOf1Minute(benchmark::State &state)
{
    velmaro::ModelState model;
    TMainFormVelmaro window(model);
    window.cbSall->setCurrentIndex(99);
    window.cbSallChange();
    window.euPtsd->SetBaseValue(1);
    TypeCurveNumbers(state, window);
    if (model.StepCount != 100 || model.TimeStep != 1)
        state.SkipWithError("the series was not set up");
}
BENCHMARK(BM_CurveNumberKeystroke_100StepsOf1Minute)->Unit(benchmark::kMillisecond);

void TypeCurveNumbersWithThePlotOpen(benchmark::State &state, TMainFormVelmaro &window)
{
    window.Plot1->trigger();
    velmaro::PlotWindow *plot = window.PlotShown();
    TypeCurveNumbers(state, window, plot);
    state.counters["ordinates"] = static_cast<double>(plot->Curves().discharge.size());
    if (plot->Curves().discharge.empty())
        state.SkipWithError("the plot has no hydrograph");
}

void BM_CurveNumberKeystroke_PlotOpen_Defaults(benchmark::State &state)
{
    velmaro::ModelState model;
    TMainFormVelmaro window(model);
    TypeCurveNumbersWithThePlotOpen(state, window);
}
BENCHMARK(BM_CurveNumberKeystroke_PlotOpen_Defaults)->Unit(benchmark::kMillisecond);

// A time step of 0.135 s (0.00225 minutes) gives the default watershed 99664 hydrograph
// ordinates; the field shows it in seconds, where its three decimals hold it whole.
void BM_CurveNumberKeystroke_PlotOpen_100000Ordinates(benchmark::State &state)
{
    velmaro::ModelState model;
    TMainFormVelmaro window(model);
    window.euPtsd->ChangeUnit(1);
    window.euPtsd->SetBaseValue(0.00225);
    TypeCurveNumbersWithThePlotOpen(state, window);
}
BENCHMARK(BM_CurveNumberKeystroke_PlotOpen_100000Ordinates)->Unit(benchmark::kMillisecond);

// A keystroke with the NRCS curve chosen on the Runoff tab, 100 steps of 1 minute: goal 0.1 ms.
// The Conditioning tab recomputes up to its own stage; the whole chain, hydrograph included, is
// BM_ChainHundredOneMinuteSteps_NrcsCurvilinear of bench_engine (goal 20 µs).
void BM_CurveNumberKeystroke_100StepsOf1Minute_NrcsCurvilinear(benchmark::State &state)
{
    velmaro::ModelState model;
    TMainFormVelmaro window(model);
    window.cbSall->setCurrentIndex(99);
    window.cbSallChange();
    window.euPtsd->SetBaseValue(1);
    window.cbUnitHydrograph->setCurrentIndex(2);
    window.PageControl1->setCurrentWidget(window.Escorrentia);
    TypeCurveNumbers(state, window);
    if (model.StepCount != 100 || model.TimeStep != 1 || model.UnitHydrograph != 2)
        state.SkipWithError("the series or the unit hydrograph was not set up");
}
BENCHMARK(BM_CurveNumberKeystroke_100StepsOf1Minute_NrcsCurvilinear)->Unit(benchmark::kMillisecond);

// The NRCS curve at a time step of 0.252 s has 99988 ordinates (the triangles 53398), and the
// plot draws all three hydrographs with "Compare": goal 30 ms.
void BM_CurveNumberKeystroke_PlotCompare_100000Ordinates(benchmark::State &state)
{
    velmaro::ModelState model;
    TMainFormVelmaro window(model);
    window.euPtsd->ChangeUnit(1);
    window.euPtsd->SetBaseValue(0.0042);
    window.cbUnitHydrograph->setCurrentIndex(2);
    window.PageControl1->setCurrentWidget(window.Escorrentia);
    window.Plot1->trigger();
    velmaro::PlotWindow *plot = window.PlotShown();
    plot->findChild<QCheckBox *>("compare")->setChecked(true);
    TypeCurveNumbers(state, window, plot);
    const velmaro::PlotCurves &curves = plot->Curves();
    state.counters["ordinates"] = static_cast<double>(curves.discharge.size());
    if (curves.compared.size() != 3 || curves.discharge.size() < 99000)
        state.SkipWithError("the plot does not compare the three hydrographs at 100000 ordinates");
}
BENCHMARK(BM_CurveNumberKeystroke_PlotCompare_100000Ordinates)->Unit(benchmark::kMillisecond);

void BM_BuildWindowAndFormCreate(benchmark::State &state)
{
    for (auto _ : state) {
        velmaro::ModelState model;
        auto window = std::make_unique<TMainFormVelmaro>(model);
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildWindowAndFormCreate)->Unit(benchmark::kMillisecond);

// A Runoff grid of the largest hydrograph the engine computes, written as CSV through QSaveFile.
void BM_SaveCsv_100000Rows(benchmark::State &state)
{
    constexpr int kRows = velmaro::kHydrographCapacity;
    velmaro::ResultGrid grid(nullptr, "sgHeResultado", 2, 5);
    velmaro::ResultGridModel &cells = grid.Cells();
    cells.SetColumnNames({{"time", "h"}, {"discharge", ""}});
    cells.SetHeading(0, "[Hours]");
    cells.SetHeading(1, QString::fromUtf8("[m³/s]"));
    cells.SetRowCount(kRows + 1);
    std::vector<double> hours(kRows), discharge(kRows);
    for (int j = 1; j <= kRows; ++j) {
        hours[static_cast<std::size_t>(j - 1)] = j * 0.00225 / 60;
        discharge[static_cast<std::size_t>(j - 1)] = 627.68326 * std::sin(3.14159 * j / kRows) / 3;
    }
    cells.SetColumnValues(0, std::move(hours));
    cells.SetColumnValues(1, std::move(discharge));
    QTemporaryDir folder;
    const QString path = folder.filePath("hydrograph.csv");
    for (auto _ : state)
        if (!grid.SaveCsv(path))
            state.SkipWithError("the CSV file could not be written");
}
BENCHMARK(BM_SaveCsv_100000Rows)->Unit(benchmark::kMillisecond);

// The probe's own figure, written on its standard output as it ends.
long ReadPeakKiB(int from)
{
    char text[32] = {};
    const ssize_t read = ::read(from, text, sizeof text - 1);
    return read > 0 ? std::strtol(text, nullptr, 10) : -1;
}

// The probe starts as the program does and quits once the About dialog is up; the time is
// measured from before the process is spawned until it has ended. The peak memory is the one the
// probe reads of itself: the child's ru_maxrss would count this benchmark's own peak, which the
// kernel folds into a spawned child's figure when it starts the probe's program.
void BM_ProcessStartToAboutDialog(benchmark::State &state)
{
    char *arguments[] = {const_cast<char *>(VELMARO_STARTUP_PROBE), nullptr};
    long peakKiB = 0;
    for (auto _ : state) {
        int figure[2];
        if (pipe(figure) != 0) {
            state.SkipWithError("cannot make a pipe for the probe's figure");
            break;
        }
        // The platform plugin's notices would flood the benchmark's output.
        posix_spawn_file_actions_t streams;
        posix_spawn_file_actions_init(&streams);
        posix_spawn_file_actions_addopen(&streams, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&streams, figure[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&streams, figure[0]);
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        const int spawned = posix_spawn(&child, VELMARO_STARTUP_PROBE, &streams, nullptr, arguments, environ);
        posix_spawn_file_actions_destroy(&streams);
        close(figure[1]);
        int status = 0;
        if (spawned == 0)
            waitpid(child, &status, 0);
        const auto end = std::chrono::steady_clock::now();
        const long probePeak = ReadPeakKiB(figure[0]);
        close(figure[0]);
        if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || probePeak <= 0) {
            state.SkipWithError("the start-up probe failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        peakKiB = std::max(peakKiB, probePeak);
    }
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
}
BENCHMARK(BM_ProcessStartToAboutDialog)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
