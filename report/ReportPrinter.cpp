#include "report/ReportPrinter.h"

#include "report/PageSetup.h"
#include "report/ReportPages.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace velmaro {
namespace {

constexpr double kPointsPerInch = 72.0;
const QString kPdfFilter = QStringLiteral("PDF document (*.pdf)");
const QString kRtfFilter = QStringLiteral("RTF document, for word processors (*.rtf)");
constexpr double kPixelsPerPoint = kPageLayoutDpi / kPointsPerInch;

[[noreturn]] void FailPrinting(const QString &where)
{
    throw PrintError(QStringLiteral("The report could not be printed on %1").arg(where).toStdString());
}

QString PrinterName(const QPrinter &printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

// A header or footer with its page fields filled, laid out at the body's width.
class PageMargin {
public:
    PageMargin(const QTextDocument &part, double width, int page, int pageCount)
        : copy_(part.clone())
    {
        copy_->setUndoRedoEnabled(false);
        FillField(kPageNumberMark, page);
        FillField(kPageCountMark, pageCount);
        ReportPages::LayOut(*copy_, width, device_);
    }

    double Height() const { return copy_->size().height(); }

    void Paint(QPainter &painter) const
    {
        copy_->documentLayout()->draw(&painter, QAbstractTextDocumentLayout::PaintContext());
    }

private:
    void FillField(char16_t mark, int number)
    {
        const QString text(QChar{mark});
        for (QTextCursor found = copy_->find(text); !found.isNull(); found = copy_->find(text, found))
            found.insertText(QString::number(number));
    }

    QImage device_{1, 1, QImage::Format_RGB32};
    std::unique_ptr<QTextDocument> copy_;
};

// Where a page's parts go, in points from the paper's top left corner.
class PageGeometry {
public:
    PageGeometry(const QTextDocument &document, const QRectF &paper, const QRectF &printable)
        : setup_(PageSetup::Of(document)), body_(printable)
    {
        if (!setup_ || (!setup_->margins && !setup_->paper))
            return;
        const QSizeF size = setup_->paper.value_or(paper.size());
        const QMarginsF margins = setup_->margins.value_or(QMarginsF());
        body_ = QRectF(QPointF(), size).marginsRemoved(margins);
        const double headerHeight = MarginHeight(&PageSetup::HeaderFor);
        const double footerHeight = MarginHeight(&PageSetup::FooterFor);
        if (headerHeight > 0)
            body_.setTop(std::max(body_.top(), setup_->headerDistance + headerHeight));
        footerTop_ = size.height() - setup_->footerDistance - footerHeight;
        if (footerHeight > 0)
            body_.setBottom(std::min(body_.bottom(), footerTop_));
        body_ &= printable;
    }

    QRectF Body() const { return body_; }

    // Body size in layout pixels.
    QSizeF BodyPixels() const
    {
        return QSizeF(std::max(1.0, body_.width()), std::max(1.0, body_.height())) * kPixelsPerPoint;
    }

    void PaintMargins(QPainter &painter, int page, int pageCount) const
    {
        if (!setup_)
            return;
        const double width = BodyPixels().width();
        if (const QTextDocument *header = setup_->HeaderFor(page))
            PaintAt(painter, PageMargin(*header, width, page, pageCount), setup_->headerDistance);
        if (const QTextDocument *footer = setup_->FooterFor(page)) {
            const PageMargin margin(*footer, width, page, pageCount);
            PaintAt(painter, margin, footerTop_ + MarginHeight(&PageSetup::FooterFor) -
                                         margin.Height() / kPixelsPerPoint);
        }
    }

private:
    // The tallest of the headers (or footers) the pages take, in points.
    double MarginHeight(const QTextDocument *(PageSetup::*part)(int) const) const
    {
        double height = 0;
        const double width = body_.width() * kPixelsPerPoint;
        for (int page = 1; page <= 2; ++page)
            if (const QTextDocument *document = (setup_->*part)(page))
                height = std::max(height, PageMargin(*document, width, page, page).Height());
        return height / kPixelsPerPoint;
    }

    void PaintAt(QPainter &painter, const PageMargin &margin, double top) const
    {
        painter.save();
        painter.translate(body_.left(), top);
        painter.scale(1 / kPixelsPerPoint, 1 / kPixelsPerPoint);
        margin.Paint(painter);
        painter.restore();
    }

    const PageSetup *setup_;
    QRectF body_;
    double footerTop_ = 0;
};

class PrintLayout {
public:
    PrintLayout(const QTextDocument &document, const QPageLayout &page)
        : printable_(page.paintRectPoints()),
          geometry_(document, page.fullRectPoints(), printable_),
          pages_(document, geometry_.BodyPixels())
    {
    }

    int PageCount() const { return pages_.Count(); }

    // The painter's origin is the printable area's corner, one unit a device pixel.
    void PaintPage(QPainter &painter, const QPagedPaintDevice &device, int page) const
    {
        painter.save();
        painter.scale(device.logicalDpiX() / kPointsPerInch, device.logicalDpiY() / kPointsPerInch);
        painter.translate(-printable_.topLeft());
        geometry_.PaintMargins(painter, page + 1, PageCount());
        painter.translate(geometry_.Body().topLeft());
        painter.scale(1 / kPixelsPerPoint, 1 / kPixelsPerPoint);
        pages_.Paint(painter, page);
        painter.restore();
    }

private:
    QRectF printable_;
    PageGeometry geometry_;
    ReportPages pages_;
};

// Zero-based first and last page to print: the range chosen in the print dialog, held to the
// pages the document has, or every page when no range was chosen.
std::pair<int, int> PagesToPrint(const QPrinter *printer, int pageCount)
{
    if (!printer || printer->printRange() != QPrinter::PageRange || printer->fromPage() < 1)
        return {0, pageCount - 1};
    const int last = printer->toPage() < 1 ? pageCount : printer->toPage();
    return {std::min(printer->fromPage(), pageCount) - 1, std::min(last, pageCount) - 1};
}

enum class Painting { Done, Failed, Stopped };

Painting PaintPages(const QTextDocument &document, QPagedPaintDevice &device, QPrinter *printer,
                    const PageProgress &progress)
{
    const PrintLayout layout(document, device.pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return Painting::Failed;
    const auto [first, last] = PagesToPrint(printer, layout.PageCount());
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return Painting::Failed;
        layout.PaintPage(painter, device, page);
        if (progress && !progress(page - first + 1, last - first + 1)) {
            if (printer)
                printer->abort();
            painter.end();
            return Painting::Stopped;
        }
    }
    return painter.end() ? Painting::Done : Painting::Failed;
}

// The busy cursor while a long report is laid out, which shows nothing else.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// A modal progress dialog over parent for a job that takes a while, and the busy cursor
// while its pages are laid out, before the first is painted.
class ProgressOnScreen {
public:
    ProgressOnScreen(QWidget *parent, const QString &doing)
        : dialog_(doing, QStringLiteral("Stop"), 0, 1, parent), doing_(doing)
    {
        dialog_.setWindowTitle(QString::fromLatin1(kPrintJobTitle));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(kShowAfterMs);
        dialog_.setMinimumWidth(kWidth); // the title whole, the label steady as pages count up
    }

    PageProgress Progress()
    {
        return [this](int painted, int total) {
            dialog_.setMaximum(total);
            dialog_.setLabelText(QStringLiteral("%1: page %2 of %3").arg(doing_).arg(painted).arg(total));
            dialog_.setValue(painted); // a modal dialog lets events in here, its button's too
            return !dialog_.wasCanceled();
        };
    }

private:
    static constexpr int kShowAfterMs = 500;
    static constexpr int kWidth = 360;
    BusyCursor busy_;
    QProgressDialog dialog_;
    QString doing_;
};

// The template's paper, so that a file or a chosen printer shows the pages it was made for.
std::optional<QPageLayout> TemplatePaper(const QTextDocument &document)
{
    const PageSetup *setup = PageSetup::Of(document);
    if (!setup || !setup->paper)
        return std::nullopt;
    const QSizeF paper = *setup->paper;
    const bool landscape = paper.width() > paper.height();
    return QPageLayout(QPageSize(landscape ? paper.transposed() : paper, QPageSize::Point),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

} // namespace

int PrintedPageCount(const QTextDocument &document, QPrinter &printer)
{
    return PrintLayout(document, printer.pageLayout()).PageCount();
}

void PrintDocument(const QTextDocument &document, QPrinter &printer, const PageProgress &progress)
{
    printer.setDocName(QString::fromLatin1(kPrintJobTitle));
    printer.setFullPage(false); // the origin is the corner of the printable area
    const Painting painting = PaintPages(document, printer, &printer, progress);
    // A file printed in part would pass for the whole report.
    if (painting == Painting::Stopped && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
    if (painting == Painting::Failed || printer.printerState() == QPrinter::Error)
        FailPrinting(PrinterName(printer));
}

void PrintToDefaultPrinter(const QTextDocument &document, QWidget *parent)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrintError("There is no default printer: install a printer and make it the "
                         "default one to print the report");
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        FailPrinting(PrinterName(printer));
    ProgressOnScreen screen(parent, QStringLiteral("Printing the report"));
    PrintDocument(document, printer, screen.Progress());
}

void PrintWithDialog(const QTextDocument &document, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    // Named before the dialog opens, so that printing to a file proposes a file, not a folder.
    printer.setDocName(QString::fromLatin1(kPrintJobTitle));
    if (const auto paper = TemplatePaper(document)) {
        printer.setPageSize(paper->pageSize());
        printer.setPageOrientation(paper->orientation());
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QString::fromLatin1(kPrintJobTitle));
    dialog.setMinMax(1, [&] {
        const BusyCursor busy;
        return PrintedPageCount(document, printer);
    }());
    if (dialog.exec() != QDialog::Accepted)
        return;
    ProgressOnScreen screen(parent, QStringLiteral("Printing the report"));
    PrintDocument(document, printer, screen.Progress());
}

void SaveDocumentAsPdf(const QTextDocument &document, const QString &path, const PageProgress &progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        FailPrinting(path);
    Painting painting = Painting::Failed;
    {
        QPdfWriter writer(&file);
        writer.setTitle(QString::fromLatin1(kPrintJobTitle));
        writer.setCreator(QStringLiteral("Velmaro"));
        writer.setPageLayout(TemplatePaper(document).value_or(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF())));
        painting = PaintPages(document, writer, nullptr, progress);
    }
    if (painting == Painting::Stopped) {
        file.cancelWriting(); // the file stays as it was, or absent
        return;
    }
    if (painting == Painting::Failed || !file.commit())
        FailPrinting(path);
}

void SaveDocumentAsRtf(const QTextDocument &document, const QString &path)
{
    const PageSetup *setup = PageSetup::Of(document);
    QSaveFile file(path);
    const QByteArray bytes = setup ? setup->source : QByteArray();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        FailPrinting(path);
}

QString SaveDocumentAs(const QTextDocument &document, const QString &path, bool rtfChosen,
                       const PageProgress &progress)
{
    const bool endsRtf = path.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive);
    const bool endsPdf = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    const bool rtf = endsRtf || (!endsPdf && rtfChosen);
    const QString target = endsRtf || endsPdf ? path : path + (rtf ? ".rtf" : ".pdf");
    if (rtf)
        SaveDocumentAsRtf(document, target);
    else
        SaveDocumentAsPdf(document, target, progress);
    return target;
}

void SaveWithDialog(const QTextDocument &document, QWidget *parent)
{
    QString chosenType = kPdfFilter;
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save report as"), QStringLiteral("Report.pdf"),
        kPdfFilter + QStringLiteral(";;") + kRtfFilter, &chosenType);
    if (path.isEmpty())
        return;
    ProgressOnScreen screen(parent, QStringLiteral("Saving the report"));
    SaveDocumentAs(document, path, chosenType == kRtfFilter, screen.Progress());
}

} // namespace velmaro
