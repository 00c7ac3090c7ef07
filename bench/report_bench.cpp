// Filling the report from the shipped template and reading it into a document, as the Report
// tab does each time it is shown: for the default watershed and for a hydrograph of 10000
// ordinates.

#include "MainFormVelmaro.h"
#include "ModelState.h"
#include "ReportTexts.h"
#include "ReportView.h"
#include "RtfReader.h"
#include "WindowReportSources.h"

#include <QApplication>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

// The main window with the default watershed, every stage run, as the Report tab finds it.
class DefaultWindow {
public:
    DefaultWindow() { window.EscorrentiaShow(); }

    velmaro::ModelState model;
    velmaro::TMainFormVelmaro window{model};
    velmaro::WindowReportSources sources{window};
};

void FillAndLoad(benchmark::State &state, DefaultWindow &window)
{
    const QString path = QStringLiteral(VELMARO_REPORT_TEMPLATE);
    QTextDocument document;
    for (auto _ : state) {
        const QByteArray report = velmaro::FillReport(path, window.sources);
        velmaro::LoadReportDocument(document, report);
        benchmark::DoNotOptimize(document.characterCount());
    }
}

void BM_ReportDefaults(benchmark::State &state)
{
    DefaultWindow window;
    FillAndLoad(state, window);
}
BENCHMARK(BM_ReportDefaults)->Unit(benchmark::kMillisecond);

void LengthenHydrograph(DefaultWindow &window)
{
    constexpr int kOrdinates = 10000;
    window.model.Hydrograph.ResetTo(kOrdinates);
    for (int k = 1; k <= kOrdinates; ++k)
        window.model.Hydrograph[k] = 627.68326 * k / kOrdinates;
    window.model.HydrographCount = kOrdinates;
}

void BM_ReportLongHydrograph(benchmark::State &state)
{
    DefaultWindow window;
    LengthenHydrograph(window);
    FillAndLoad(state, window);
}
BENCHMARK(BM_ReportLongHydrograph)->Unit(benchmark::kMillisecond);

// The same into the visible view, whose document is laid out as it is loaded.
void BM_ReportViewLongHydrograph(benchmark::State &state)
{
    DefaultWindow window;
    LengthenHydrograph(window);
    QTextEdit view;
    view.resize(780, 500);
    view.show();
    for (auto _ : state) {
        velmaro::ShowFilledReport(view, QStringLiteral(VELMARO_REPORT_TEMPLATE), window.sources);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ReportViewLongHydrograph)->Unit(benchmark::kMillisecond);

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
