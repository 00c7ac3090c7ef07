// The Report tab with a long hydrograph, as a user meets it: the report refilled from the
// template and shown in the real view (a QTextEdit, offscreen), and the shown report printed to
// PDF. The peak resident memory of the process is reported with each run.

#include "DefaultWindow.h"
#include "ReportPrinter.h"
#include "ReportView.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

// A window whose hydrograph has this many ordinates: the longest listing the report holds.
void LengthenHydrograph(velmaro::DefaultWindow &window, int ordinates)
{
    window.model.Hydrograph.ResetTo(ordinates);
    for (int k = 1; k <= ordinates; ++k)
        window.model.Hydrograph[k] = 627.68326 * k / ordinates;
    window.model.HydrographCount = ordinates;
}

void ReportPeakMemory(benchmark::State &state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct ShownReport {
    explicit ShownReport(int ordinates)
    {
        LengthenHydrograph(window, ordinates);
        view.resize(780, 500);
        view.show();
    }

    void Show()
    {
        velmaro::ShowFilledReport(view, QStringLiteral(VELMARO_REPORT_TEMPLATE), window.sources);
        QCoreApplication::processEvents();
    }

    velmaro::DefaultWindow window;
    QTextEdit view;
};

void BM_ShowReportTab(benchmark::State &state)
{
    ShownReport report(static_cast<int>(state.range(0)));
    for (auto _ : state)
        report.Show();
    ReportPeakMemory(state);
}
BENCHMARK(BM_ShowReportTab)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Showing the tab, then scrolling the view to the report's end.
void BM_ShowReportTabAndScrollToEnd(benchmark::State &state)
{
    ShownReport report(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        report.Show();
        report.view.moveCursor(QTextCursor::End);
        report.view.ensureCursorVisible();
        QCoreApplication::processEvents();
    }
    ReportPeakMemory(state);
}
BENCHMARK(BM_ShowReportTabAndScrollToEnd)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PrintReportToPdf(benchmark::State &state)
{
    ShownReport report(static_cast<int>(state.range(0)));
    report.Show();
    QTemporaryDir directory;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(directory.filePath("report.pdf"));
    for (auto _ : state)
        velmaro::PrintDocument(*report.view.document(), printer);
    ReportPeakMemory(state);
}
BENCHMARK(BM_PrintReportToPdf)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
