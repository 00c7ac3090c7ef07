// Filling the report from the shipped template and reading it into a document, as the Report
// tab does each time it is shown: for the default watershed and for long hydrographs, into a
// document and into the real view (offscreen); scrolling the view to the report's end; printing
// the shown report to PDF. Runs over the view report the peak resident memory of the process.
// Hostile templates near the size limit: shown in the view, and their first page printed.

#include "engine/ModelState.h"
#include "report/ReportPrinter.h"
#include "report/ReportTemplate.h"
#include "report/ReportTexts.h"
#include "report/ReportView.h"
#include "report/RtfReader.h"
#include "ui/MainFormVelmaro.h"
#include "ui/WindowReportSources.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

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

// The hydrograph listing is the report's longest part.
void LengthenHydrograph(DefaultWindow &window, int ordinates = 10000)
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

void BM_ReportLongHydrograph(benchmark::State &state)
{
    DefaultWindow window;
    LengthenHydrograph(window);
    FillAndLoad(state, window);
}
BENCHMARK(BM_ReportLongHydrograph)->Unit(benchmark::kMillisecond);

// The Report tab being shown: the report refilled into the visible view.
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

    DefaultWindow window;
    QTextEdit view;
};

void BM_ReportViewLongHydrograph(benchmark::State &state)
{
    ShownReport report(static_cast<int>(state.range(0)));
    for (auto _ : state)
        report.Show();
    ReportPeakMemory(state);
}
BENCHMARK(BM_ReportViewLongHydrograph)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReportViewScrolledToEnd(benchmark::State &state)
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
BENCHMARK(BM_ReportViewScrolledToEnd)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReportPrintedToPdf(benchmark::State &state)
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
BENCHMARK(BM_ReportPrintedToPdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Templates a user could save that are up to the template size limit, built for reading,
// laying out and printing: many header groups, many distinct fonts and sizes, many table rows,
// one word with no place to break a line, large pictures.
QByteArray ManyHeadersTemplate()
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}";
    for (int group = 0; group < 20000; ++group)
        rtf += "{\\header Page \\chpgn  of the report\\par}";
    return rtf + "Body\\par}";
}

QByteArray ManyFontsTemplate()
{
    constexpr int kFonts = 79;
    constexpr int kPairs = 78000;
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (int font = 0; font < kFonts; ++font)
        rtf += "{\\f" + QByteArray::number(font) + " Font " + QByteArray::number(font) + ";}";
    rtf += "}";
    for (int pair = 0; pair < kPairs; ++pair) {
        rtf += "\\f" + QByteArray::number(pair % kFonts) + "\\fs" +
               QByteArray::number(2 + pair / kFonts) + " x";
        if (pair % 10 == 9)
            rtf += "\\par ";
    }
    return rtf + "}";
}

QByteArray ManyTableRowsTemplate()
{
    QByteArray rtf = "{\\rtf1\\trowd\\cellx1000\\cellx2000";
    for (int row = 0; row < 40000; ++row)
        rtf += "\\intbl a\\cell b\\cell\\row";
    return rtf + "}";
}

QByteArray OneLongWordTemplate() { return "{\\rtf1 " + QByteArray(1000000, 'x') + "}"; }

// As many copies of a large picture as the limit holds: a few kilobytes of data each that stand
// for a hundred megabytes of pixels.
QByteArray LargePicturesTemplate()
{
    QImage image(5600, 5600, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 0);
    QByteArray rtf = "{\\rtf1 ";
    const QByteArray picture = "{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}";
    while (rtf.size() + picture.size() < velmaro::kTemplateSizeLimit)
        rtf += picture;
    return rtf + "}";
}

using TemplateMaker = QByteArray (*)();

// Read into a document and shown in the view, as the Report tab shows a report.
void TemplateShown(benchmark::State &state, TemplateMaker make)
{
    const QByteArray rtf = make();
    state.counters["template_KiB"] = rtf.size() / 1024.0;
    QTextEdit view;
    view.resize(780, 500);
    view.show();
    for (auto _ : state) {
        auto *document = new QTextDocument(&view);
        velmaro::LoadReportDocument(*document, rtf);
        view.setDocument(document);
        QCoreApplication::processEvents();
        view.setDocument(nullptr);
        delete document;
    }
}

void TemplateFirstPagePrinted(benchmark::State &state, TemplateMaker make)
{
    QTextDocument document;
    velmaro::LoadReportDocument(document, make());
    QTemporaryDir directory;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(directory.filePath("report.pdf"));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(1, 1);
    for (auto _ : state)
        velmaro::PrintDocument(document, printer);
}

BENCHMARK_CAPTURE(TemplateShown, many_headers, ManyHeadersTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateFirstPagePrinted, many_headers, ManyHeadersTemplate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateShown, many_fonts, ManyFontsTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateFirstPagePrinted, many_fonts, ManyFontsTemplate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateShown, many_table_rows, ManyTableRowsTemplate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateFirstPagePrinted, many_table_rows, ManyTableRowsTemplate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateShown, large_pictures, LargePicturesTemplate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateFirstPagePrinted, large_pictures, LargePicturesTemplate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateShown, one_long_word, OneLongWordTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TemplateFirstPagePrinted, one_long_word, OneLongWordTemplate)
    ->Unit(benchmark::kMillisecond);

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
