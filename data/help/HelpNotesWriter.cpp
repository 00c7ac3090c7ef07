// Build step: turns the help notes' Markdown source into the PDF that Help > Notes... opens.
//
//     velmaro_help_notes_writer <source.md> <output.pdf>
//
// Runs on Qt's offscreen platform; exits 1 with a message when the source cannot be read or
// the PDF cannot be written, so that a broken help file fails the build instead of shipping.

#include "report/PageSetup.h"
#include "report/ReportPages.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstdio>
#include <optional>

namespace {

const QString kTitle = QStringLiteral("Velmaro - Help notes");
const QString kBodyFamily = QStringLiteral("Liberation Sans");
constexpr double kBodyPoints = 10.0;
const QColor kHeadingColour(29, 74, 128);
const QColor kRuleColour(150, 160, 170);
const QColor kTableHeadColour(226, 232, 240);
const QColor kFormulaBand(241, 245, 250);
const QColor kTableBorderColour(190, 198, 206);
// Page layout in millimetres (A4).
constexpr double kSideMargin = 20;
constexpr double kTopMargin = 18;
constexpr double kFooterHeight = 12;

std::optional<QString> ReadSource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

void StyleHeadingsAndParagraphs(QTextDocument &document)
{
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        cursor.setPosition(block.position());
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level > 0) {
            format.setTopMargin(level == 1 ? 0 : (level == 2 ? 16 : 10));
            format.setBottomMargin(level <= 2 ? 6 : 4);
            format.setProperty(velmaro::kKeepWithNextProperty, true);
            cursor.setBlockFormat(format);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat colour;
            colour.setForeground(kHeadingColour);
            cursor.mergeCharFormat(colour);
        } else if (format.hasProperty(QTextFormat::BlockQuoteLevel)) {
            // Formulas are written as quotes: show them set apart, centred on a light band.
            format.setAlignment(Qt::AlignHCenter);
            format.setLeftMargin(0);
            format.setRightMargin(0);
            format.setTopMargin(2);
            format.setBottomMargin(8);
            format.setBackground(kFormulaBand);
            cursor.setBlockFormat(format);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat larger;
            larger.setFontPointSize(kBodyPoints + 1);
            cursor.mergeCharFormat(larger);
        } else if (!block.textList() && !cursor.currentTable()) {
            format.setBottomMargin(6);
            format.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
            cursor.setBlockFormat(format);
        }
    }
}

// Tables are ruled between rows only, with a shaded heading row.
void StyleTable(QTextTable *table)
{
    QTextTableFormat format = table->format();
    format.setBorderCollapse(true);
    format.setBorder(0);
    format.setCellPadding(4);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setTopMargin(2);
    format.setBottomMargin(10);
    table->setFormat(format);
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(row, column);
            QTextTableCellFormat look = cell.format().toTableCellFormat();
            look.setBottomBorder(row == 0 ? 1.5 : 0.75);
            look.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            look.setBottomBorderBrush(row == 0 ? kHeadingColour : kTableBorderColour);
            if (row == 0)
                look.setBackground(kTableHeadColour);
            cell.setFormat(look);
        }
    }
}

void StyleTables(QTextFrame *frame)
{
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            StyleTable(table);
        StyleTables(child);
    }
}

struct Pages {
    QRectF body;   // where the text goes, in device pixels
    QRectF footer; // below the body
};

Pages LayOutPages(const QPdfWriter &writer)
{
    const double pixelsPerMm = writer.resolution() / 25.4;
    const QRectF paper = writer.pageLayout().fullRectPixels(writer.resolution());
    const QRectF body(kSideMargin * pixelsPerMm, kTopMargin * pixelsPerMm,
                      paper.width() - 2 * kSideMargin * pixelsPerMm,
                      paper.height() - (kTopMargin + kTopMargin + kFooterHeight) * pixelsPerMm);
    const QRectF footer(body.left(), body.bottom() + 4 * pixelsPerMm, body.width(),
                        kFooterHeight * pixelsPerMm);
    return {body, footer};
}

void DrawFooter(QPainter &painter, const QRectF &footer, int page, int pageCount)
{
    painter.save();
    painter.setPen(QPen(kRuleColour, 0));
    painter.drawLine(footer.topLeft(), footer.topRight());
    QFont font(kBodyFamily);
    font.setPointSizeF(8.5);
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    const QRectF text = footer.adjusted(0, footer.height() * 0.15, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, kTitle);
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Page %1 of %2").arg(page).arg(pageCount));
    painter.restore();
}

bool WritePdf(const QTextDocument &document, const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(kTitle);
    writer.setCreator(QStringLiteral("Velmaro"));

    // Cut into pages by whole lines, as the report is, so that each line is in the PDF once.
    const Pages pages = LayOutPages(writer);
    const double scale = writer.resolution() / velmaro::kPageLayoutDpi;
    const velmaro::ReportPages body(document, pages.body.size() / scale);

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 0; page < body.Count(); ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(pages.body.topLeft());
        painter.scale(scale, scale);
        body.Paint(painter, page);
        painter.restore();
        DrawFooter(painter, pages.footer, page + 1, body.Count());
    }
    return painter.end();
}

int Fail(const char *what, const QString &path)
{
    std::fprintf(stderr, "velmaro_help_notes_writer: %s %s\n", what, qPrintable(path));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: velmaro_help_notes_writer <source.md> <output.pdf>\n");
        return 2;
    }
    const QString source = arguments.at(1);
    const QString output = arguments.at(2);

    const std::optional<QString> markdown = ReadSource(source);
    if (!markdown)
        return Fail("cannot read", source);

    QTextDocument document;
    QFont body(kBodyFamily);
    body.setPointSizeF(kBodyPoints);
    document.setDefaultFont(body);
    document.setMarkdown(*markdown);
    StyleHeadingsAndParagraphs(document);
    StyleTables(document.rootFrame());

    if (!WritePdf(document, output) || QFileInfo(output).size() == 0)
        return Fail("cannot write", output);
    return 0;
}
