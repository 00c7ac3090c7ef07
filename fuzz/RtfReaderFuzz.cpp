// Any bytes as a report template: read into a document, cut into pages and the first page
// painted, as the Report tab shows and prints it. The template's header and footers are laid
// out as the printer lays them out.

#include "report/ReportPages.h"
#include "report/ReportPrinter.h"
#include "report/RtfReader.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

// A page of the view's width, low enough that small inputs take several.
constexpr QSizeF kBody(500, 300);

// Lays out the pages only; nothing is printed.
QPrinter *pdfPrinter = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    static QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    pdfPrinter = &printer;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    velmaro::ReadRtf(document, bytes);

    const velmaro::ReportPages pages(document, kBody);
    if (pages.Count() < 1)
        std::abort();
    QImage page(kBody.toSize(), QImage::Format_RGB32);
    QPainter painter(&page);
    pages.Paint(painter, 0);
    painter.end();

    if (velmaro::PrintedPageCount(document, *pdfPrinter) < 1)
        std::abort();
    // Qt trims its font caches on a timer, as the program's event loop runs it.
    QCoreApplication::processEvents();
    return 0;
}
