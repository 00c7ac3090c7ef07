#include "ReportPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <utility>

namespace velmaro {
namespace {

// The report is laid out at the resolution the view uses, then scaled to the printer, so that
// the printed page looks like the screen: fonts, indents and tab stops keep their proportions.
constexpr double kLayoutDpi = 96.0;
constexpr double kInchesPerMeter = 1 / 0.0254;

// A copy of the document paginated for the printable area, laid out on a device of fixed
// resolution; the device must outlive the copy's layout.
class PrintLayout {
public:
    PrintLayout(const QTextDocument &document, QPrinter &printer)
        : device_(1, 1, QImage::Format_RGB32), copy_(document.clone())
    {
        device_.setDotsPerMeterX(qRound(kLayoutDpi * kInchesPerMeter));
        device_.setDotsPerMeterY(qRound(kLayoutDpi * kInchesPerMeter));
        copy_->documentLayout()->setPaintDevice(&device_);
        copy_->setDocumentMargin(0);
        const QRectF area = printer.pageRect(QPrinter::Inch);
        copy_->setPageSize(QSizeF(area.width() * kLayoutDpi, area.height() * kLayoutDpi));
    }

    int PageCount() const { return qMax(1, copy_->pageCount()); }

    void PaintPage(QPainter &painter, int page) const
    {
        const QSizeF size = copy_->pageSize();
        const QRectF shown(0, page * size.height(), size.width(), size.height());
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        copy_->documentLayout()->draw(&painter, context);
        painter.restore();
    }

private:
    QImage device_;
    std::unique_ptr<QTextDocument> copy_;
};

QString PrinterName(const QPrinter &printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

// Zero-based first and last page to print: the range chosen in the print dialog, held to the
// pages the document has, or every page when no range was chosen.
std::pair<int, int> PagesToPrint(const QPrinter &printer, int pageCount)
{
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1)
        return {0, pageCount - 1};
    const int last = printer.toPage() < 1 ? pageCount : printer.toPage();
    return {std::min(printer.fromPage(), pageCount) - 1, std::min(last, pageCount) - 1};
}

[[noreturn]] void FailPrinting(const QPrinter &printer)
{
    throw PrintError(
        QStringLiteral("The report could not be printed on %1").arg(PrinterName(printer))
            .toStdString());
}

} // namespace

int PrintedPageCount(const QTextDocument &document, QPrinter &printer)
{
    return PrintLayout(document, printer).PageCount();
}

void PrintDocument(const QTextDocument &document, QPrinter &printer)
{
    printer.setDocName(QString::fromLatin1(kPrintJobTitle));
    printer.setFullPage(false); // the origin is the corner of the printable area
    const PrintLayout layout(document, printer);
    QPainter painter;
    if (!painter.begin(&printer))
        FailPrinting(printer);
    painter.scale(printer.logicalDpiX() / kLayoutDpi, printer.logicalDpiY() / kLayoutDpi);
    const auto [first, last] = PagesToPrint(printer, layout.PageCount());
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage())
            FailPrinting(printer);
        layout.PaintPage(painter, page);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        FailPrinting(printer);
}

void PrintToDefaultPrinter(const QTextDocument &document)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrintError("There is no default printer: install a printer and make it the "
                         "default one to print the report");
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        FailPrinting(printer);
    PrintDocument(document, printer);
}

void PrintWithDialog(const QTextDocument &document, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    // Named before the dialog opens, so that printing to a file proposes a file, not a folder.
    printer.setDocName(QString::fromLatin1(kPrintJobTitle));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QString::fromLatin1(kPrintJobTitle));
    dialog.setMinMax(1, PrintedPageCount(document, printer));
    if (dialog.exec() == QDialog::Accepted)
        PrintDocument(document, printer);
}

} // namespace velmaro
