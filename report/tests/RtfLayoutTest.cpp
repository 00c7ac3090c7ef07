// What the reader builds beyond text and character formats: paragraph spacing and page control,
// the page, tables, pictures, headers and footers, lists and fields.

#include "report/PageSetup.h"
#include "report/ReportPages.h"
#include "report/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <gtest/gtest.h>

namespace velmaro {
namespace {

QTextBlock BlockWithText(const QTextDocument &document, const QString &text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.text() == text)
            return block;
    ADD_FAILURE() << "no paragraph " << text.toStdString();
    return {};
}

QTextTable *FirstTable(const QTextDocument &document)
{
    for (QTextFrame *frame : document.rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame))
            return table;
    return nullptr;
}

QString CellText(QTextTable &table, int row, int column)
{
    const QTextTableCell cell = table.cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

TEST(RtfLayout, SpaceAfterAndBeforeAddUpAndLineSpacingApplies)
{
    QTextDocument document;
    ReadRtf(document, "{\\rtf1\\pard\\sa360 A\\par\\pard\\sb120 B\\par\\pard\\sl-240 C\\par"
                      "\\pard\\sl360\\slmult1 D\\par\\pard\\sl300\\slmult0 E\\par}");
    // 18 pt after A and 6 pt before B: 24 pt, 32 pixels, all above B.
    EXPECT_DOUBLE_EQ(BlockWithText(document, "B").blockFormat().topMargin(), 32);
    struct Case {
        const char *text;
        int type;
        double height;
    } cases[] = {{"C", QTextBlockFormat::FixedHeight, 16},
                 {"D", QTextBlockFormat::ProportionalHeight, 150},
                 {"E", QTextBlockFormat::MinimumHeight, 20}};
    for (const Case &c : cases) {
        const QTextBlockFormat format = BlockWithText(document, c.text).blockFormat();
        EXPECT_EQ(format.lineHeightType(), c.type) << c.text;
        EXPECT_DOUBLE_EQ(format.lineHeight(), c.height) << c.text;
    }
}

TEST(RtfLayout, TheLastParagraphMarkOpensNoParagraph)
{
    const struct {
        const char *rtf;
        int blocks;
    } cases[] = {{"{\\rtf1 a\\par}", 1}, {"{\\rtf1 a\\par\\par}", 2}, {"{\\rtf1 a}", 1},
                 {"{\\rtf1 a\\par\\qc b\\par\r\n}", 2}, {"{\\rtf1 a\\par", 1}};
    for (const auto &c : cases) {
        QTextDocument document;
        ReadRtf(document, c.rtf);
        EXPECT_EQ(document.blockCount(), c.blocks) << c.rtf;
    }
}

// The paragraphs the document holds, "|" between the lines one block holds.
QStringList BlockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.append(block.text().replace(QChar::LineSeparator, u'|'));
    return texts;
}

QByteArray NumberedParagraphs(const char *properties, int count)
{
    QByteArray rtf = QByteArray("{\\rtf1\\pard") + properties + " ";
    for (int k = 1; k <= count; ++k)
        rtf += "p" + QByteArray::number(k) + "\\par ";
    return rtf + "}";
}

TEST(RtfLayout, LikeParagraphsWithNothingBetweenThemShareABlock)
{
    const struct {
        QByteArray rtf;
        QStringList blocks;
    } cases[] = {
        {NumberedParagraphs("", 10), {"p1|p2|p3|p4|p5|p6|p7|p8", "p9|p10"}},
        {NumberedParagraphs("\\sl-300", 3), {"p1|p2|p3"}},
        {NumberedParagraphs("\\sa20", 3), {"p1", "p2", "p3"}},
        {NumberedParagraphs("\\sb20", 3), {"p1", "p2", "p3"}},
        {NumberedParagraphs("\\fi200", 3), {"p1", "p2", "p3"}},
        {NumberedParagraphs("\\qj", 3), {"p1", "p2", "p3"}},
        {NumberedParagraphs("\\keepn", 3), {"p1", "p2", "p3"}},
        {NumberedParagraphs("\\keep", 3), {"p1", "p2", "p3"}},
        {NumberedParagraphs("\\pagebb", 3), {"p1", "p2", "p3"}},
        {"{\\rtf1 a\\par b\\par\\par c\\par d\\par}", {"a|b", "", "c|d"}},
        {"{\\rtf1 a\\par\\b b\\par\\b0 c\\par}", {"a", "b", "c"}},
    };
    for (const auto &c : cases) {
        QTextDocument document;
        ReadRtf(document, c.rtf);
        EXPECT_EQ(BlockTexts(document), c.blocks) << c.rtf.constData();
    }
}

// Every line of the document after where the layout puts it and how wide its text is, tabs
// included, at width pixels.
std::vector<std::string> LinePlaces(const QTextDocument &document, double width)
{
    QImage device(1, 1, QImage::Format_RGB32);
    const std::unique_ptr<QTextDocument> copy = ReportPages::LaidOutCopy(document, width, device);
    std::vector<std::string> places;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        const double top = copy->documentLayout()->blockBoundingRect(block).top();
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const QString text = block.text().mid(line.textStart(), line.textLength()).trimmed();
            places.push_back(QString::number(top + line.y(), 'f', 4).toStdString() + " " +
                             QString::number(line.naturalTextWidth(), 'f', 4).toStdString() + " " +
                             text.toStdString());
        }
    }
    return places;
}

TEST(RtfLayout, ParagraphsSharingABlockLayOutAndPaginateAsParagraphsOfTheirOwn)
{
    // The same paragraphs, once like each other and once every other one with an underlined
    // mark, which shows nothing but keeps each in a block of its own. Some wrap; sizes and
    // line spacing vary.
    QByteArray shared = "{\\rtf1 ";
    QByteArray own = shared;
    for (int run = 0; run < 12; ++run) {
        const QByteArray look = "\\pard\\sl" + QByteArray::number(run % 3 * -260) + "\\fs" +
                                QByteArray::number(18 + run % 4 * 4) + "\\sa" +
                                QByteArray::number(run % 2 * 60) + " ";
        shared += look;
        own += look;
        for (int k = 0; k < 11; ++k) {
            QByteArray text = "Line " + QByteArray::number(run * 11 + k) + "\\tab x";
            if (k % 5 == 2)
                text += QByteArray(" and words enough to wrap at the narrow width").repeated(2);
            shared += text + "\\par ";
            own += text + (k % 2 ? "{\\ul\\par }" : "\\par ");
        }
    }
    QTextDocument sharing;
    ReadRtf(sharing, shared + "}");
    QTextDocument separate;
    ReadRtf(separate, own + "}");
    ASSERT_LT(sharing.blockCount(), separate.blockCount());
    EXPECT_EQ(LinePlaces(sharing, 300), LinePlaces(separate, 300));
    EXPECT_EQ(ReportPages(sharing, QSizeF(300, 170)).Count(), ReportPages(separate, QSizeF(300, 170)).Count());
}

TEST(RtfLayout, PageBreaksAndKeepsAreParagraphProperties)
{
    QTextDocument document;
    ReadRtf(document, "{\\rtf1 one\\page two\\par\\pard\\keepn head\\par\\pard\\keep body\\par"
                      "\\pard\\pagebb new\\par\\pard plain\\par}");
    const auto breaks = [&](const char *text) {
        return BlockWithText(document, text).blockFormat().pageBreakPolicy() ==
               QTextFormat::PageBreak_AlwaysBefore;
    };
    EXPECT_FALSE(breaks("one"));
    EXPECT_TRUE(breaks("two"));
    EXPECT_TRUE(breaks("new"));
    EXPECT_FALSE(breaks("plain"));
    EXPECT_TRUE(BlockWithText(document, "head").blockFormat().boolProperty(kKeepWithNextProperty));
    EXPECT_TRUE(BlockWithText(document, "body").blockFormat().boolProperty(kKeepTogetherProperty));
    EXPECT_FALSE(BlockWithText(document, "plain").blockFormat().boolProperty(kKeepWithNextProperty));
}

TEST(RtfLayout, ThePageComesFromTheDocumentOrIsLeftToThePrinter)
{
    const struct {
        const char *rtf;
        std::optional<QSizeF> paper;
        std::optional<QMarginsF> margins;
    } cases[] = {
        {"{\\rtf1 x}", std::nullopt, std::nullopt},
        {"{\\rtf1\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134 x}",
         QSizeF(595.3, 841.9), QMarginsF(56.7, 56.7, 56.7, 56.7)},
        // The section's own page wins over the document's; sides left out take the defaults.
        {"{\\rtf1\\paperw12240\\paperh15840\\margl1000\\sectd\\pgwsxn15840\\pghsxn12240"
         "\\marglsxn2000 x}",
         QSizeF(792, 612), QMarginsF(100, 72, 90, 72)},
    };
    for (const auto &c : cases) {
        QTextDocument document;
        ReadRtf(document, c.rtf);
        const PageSetup *setup = PageSetup::Of(document);
        ASSERT_NE(setup, nullptr);
        ASSERT_EQ(setup->paper.has_value(), c.paper.has_value()) << c.rtf;
        ASSERT_EQ(setup->margins.has_value(), c.margins.has_value()) << c.rtf;
        if (c.paper) {
            EXPECT_NEAR(setup->paper->width(), c.paper->width(), 0.1) << c.rtf;
            EXPECT_NEAR(setup->paper->height(), c.paper->height(), 0.1) << c.rtf;
        }
        if (c.margins) {
            EXPECT_NEAR(setup->margins->left(), c.margins->left(), 0.1) << c.rtf;
            EXPECT_NEAR(setup->margins->top(), c.margins->top(), 0.1) << c.rtf;
            EXPECT_NEAR(setup->margins->right(), c.margins->right(), 0.1) << c.rtf;
        }
        EXPECT_EQ(setup->source, QByteArray(c.rtf));
    }
}

TEST(RtfLayout, TableRowsBecomeATableWithWidthsAndBorders)
{
    QTextDocument document;
    ReadRtf(document,
            "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}before\\par"
            "\\trowd\\trgaph60\\trqc\\clbrdrb\\brdrs\\brdrw30\\brdrcf1\\cellx1500\\cellx4500"
            "\\pard\\intbl Name\\cell Value one\\par Value two\\cell\\row"
            "\\trowd\\trgaph60\\trqc\\cellx1500\\cellx4500\\pard\\intbl second\\cell\\cell\\row"
            "\\pard after\\par}");
    QTextTable *table = FirstTable(document);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(CellText(*table, 0, 0), "Name");
    // The text of a marker with several paragraphs stays in its cell.
    EXPECT_EQ(CellText(*table, 0, 1), QStringLiteral("Value one\u2029Value two"));
    EXPECT_EQ(CellText(*table, 1, 0), "second");
    EXPECT_EQ(CellText(*table, 1, 1), "");
    const QTextTableFormat format = table->format();
    ASSERT_EQ(format.columnWidthConstraints().size(), 2);
    EXPECT_DOUBLE_EQ(format.columnWidthConstraints()[0].rawValue(), 100);
    EXPECT_DOUBLE_EQ(format.columnWidthConstraints()[1].rawValue(), 200);
    EXPECT_EQ(format.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextTableCellFormat cell = table->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_DOUBLE_EQ(cell.bottomBorder(), 2);
    EXPECT_EQ(cell.bottomBorderBrush().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(cell.topBorder(), 0);
    EXPECT_DOUBLE_EQ(cell.leftPadding(), 4);
    // Text before and after the table stays outside it.
    EXPECT_EQ(document.begin().text(), "before");
    EXPECT_EQ(document.lastBlock().text(), "after");
    EXPECT_EQ(QTextCursor(document.lastBlock()).currentTable(), nullptr);
}

// The cells' texts row by row, each row's cells joined by "|".
QStringList TableTexts(QTextTable &table)
{
    QStringList rows;
    for (int row = 0; row < table.rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columns(); ++column)
            cells << CellText(table, row, column);
        rows << cells.join(u'|');
    }
    return rows;
}

// Rows ended twice, rows with no cell, more cells than the row defines: a table all the same.
TEST(RtfLayout, MalformedTableWordsStillGiveATable)
{
    struct Case {
        QByteArray rtf;
        QStringList rows;
    };
    const Case cases[] = {
        {"{\\rtf1\\intbl A\\cell\\row\\row B}", {"A", "B"}},
        {"{\\rtf1\\trowd\\cellx1000\\pard\\intbl A\\cell\\row\\trowd\\cellx1000\\row"
         "\\pard\\intbl B\\cell\\row}",
         {"A", "B"}},
        {"{\\rtf1\\trowd\\cellx1000\\intbl a\\cell b\\cell c\\cell d\\cell e\\cell\\row}",
         {"a|b|c|d|e"}},
        // Rows made ahead of the content are not left at the document's end.
        {"{\\rtf1\\intbl a\\cell\\row b\\cell\\row c\\cell\\row}", {"a", "b", "c"}},
    };
    for (const Case &c : cases) {
        QTextDocument document;
        ReadRtf(document, c.rtf);
        QTextTable *table = FirstTable(document);
        ASSERT_NE(table, nullptr) << c.rtf.constData();
        EXPECT_EQ(TableTexts(*table), c.rows) << c.rtf.constData();
        // Cells beyond those the row defines take the width of its last.
        const QList<QTextLength> widths = table->format().columnWidthConstraints();
        EXPECT_TRUE(widths.isEmpty() || widths.size() == table->columns()) << c.rtf.constData();
        for (const QTextLength &width : widths)
            EXPECT_NEAR(width.rawValue(), 1000 / 15.0, 1e-9) << c.rtf.constData();
        EXPECT_GE(ReportPages(document, QSizeF(500, 700)).Count(), 1);
    }
}

// A table's cells lay out far slower than paragraphs: past 1000 cells in a document, table
// content reads as paragraphs, one to a cell.
TEST(RtfLayout, CellsPastTheFirstThousandAreParagraphs)
{
    QByteArray rtf = "{\\rtf1\\trowd\\cellx1000\\cellx2000";
    for (int row = 0; row < 600; ++row)
        rtf += "\\intbl a" + QByteArray::number(row) + "\\cell b" + QByteArray::number(row) +
               "\\cell\\row";
    QTextDocument document;
    ReadRtf(document, rtf + "\\pard after\\par}");
    QTextTable *table = FirstTable(document);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(document.rootFrame()->childFrames().size(), 1);
    EXPECT_EQ(table->rows(), 500);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(CellText(*table, 499, 1), "b499");
    QTextCursor after = table->lastCursorPosition();
    after.movePosition(QTextCursor::NextBlock);
    QStringList paragraphs;
    for (QTextBlock block = after.block(); block.isValid(); block = block.next())
        paragraphs << block.text();
    ASSERT_EQ(paragraphs.size(), 201);
    EXPECT_EQ(paragraphs.first(), "a500");
    EXPECT_EQ(paragraphs[1], "b500");
    EXPECT_EQ(paragraphs.last(), "after");
}

QByteArray ImageFile(const char *format)
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray PictureGroup(const char *format, const char *kind, const char *sizes)
{
    return QByteArray("{\\pict\\") + kind + sizes + " " + ImageFile(format).toHex() + "}";
}

TEST(RtfLayout, PngAndJpegPicturesAreShownAtTheirSize)
{
    const QByteArray png = ImageFile("PNG");
    const QByteArray binaryPng = "{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}";
    QTextDocument document;
    ReadRtf(document, "{\\rtf1 a" + PictureGroup("PNG", "pngblip", "\\picwgoal1500\\pichgoal750") +
                          "b{\\*\\shppict" + PictureGroup("JPEG", "jpegblip", "\\picscalex200") +
                          "}{\\nonshppict" + PictureGroup("PNG", "wmetafile8", "") + "}c" +
                          PictureGroup("PNG", "emfblip", "") + "d" + binaryPng + "}");
    std::vector<QTextImageFormat> images;
    for (QTextBlock::iterator it = document.begin().begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat())
            images.push_back(it.fragment().charFormat().toImageFormat());
    ASSERT_EQ(images.size(), 3u);
    EXPECT_DOUBLE_EQ(images[0].width(), 100);
    EXPECT_DOUBLE_EQ(images[0].height(), 50);
    EXPECT_DOUBLE_EQ(images[1].width(), 16);
    EXPECT_DOUBLE_EQ(images[1].height(), 4);
    const QVariant picture = document.resource(QTextDocument::ImageResource, QUrl(images[0].name()));
    EXPECT_EQ(picture.value<QImage>().size(), QSize(8, 4));
    // Its data as raw bytes, not hexadecimal digits.
    EXPECT_DOUBLE_EQ(images[2].width(), 8);
    EXPECT_EQ(document.resource(QTextDocument::ImageResource, QUrl(images[2].name())).value<QImage>().size(),
              QSize(8, 4));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("a\uFFFCb\uFFFCcd\uFFFC"));
}

// A few kilobytes of picture data can stand for hundreds of megabytes of pixels: past 32 million
// pixels in a document, pictures are not decoded.
TEST(RtfLayout, PicturesPastTheDocumentsPixelsAreNotShown)
{
    QImage large(4000, 4000, QImage::Format_Mono);
    large.fill(1);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    large.save(&buffer, "PNG");
    const QByteArray largePicture = "{\\pict\\pngblip " + png.toHex() + "}";
    QTextDocument document;
    ReadRtf(document, "{\\rtf1 " + largePicture + largePicture + "a" +
                          PictureGroup("PNG", "pngblip", "") + "b}");
    EXPECT_EQ(document.toPlainText(), QStringLiteral("\uFFFC\uFFFCab"));
}

TEST(RtfLayout, HeadersAndFootersAreKeptForThePagesWithTheirPageFields)
{
    QTextDocument document;
    ReadRtf(document, "{\\rtf1\\titlepg{\\header Top \\chpgn\\par}{\\footerf First}"
                      "{\\footer Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 9}} of "
                      "{\\field{\\*\\fldinst NUMPAGES }{\\fldrslt 9}}}Body "
                      "{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}\\par}");
    EXPECT_EQ(document.toPlainText(), "Body 7");
    const PageSetup *setup = PageSetup::Of(document);
    ASSERT_NE(setup, nullptr);
    const QString page(QChar{kPageNumberMark});
    const QString count(QChar{kPageCountMark});
    ASSERT_NE(setup->FooterFor(1), nullptr);
    EXPECT_EQ(setup->FooterFor(1)->toPlainText(), "First");
    ASSERT_NE(setup->FooterFor(2), nullptr);
    EXPECT_EQ(setup->FooterFor(2)->toPlainText(), "Page " + page + " of " + count);
    EXPECT_EQ(setup->HeaderFor(1), nullptr); // a title page without its own header has none
    ASSERT_NE(setup->HeaderFor(3), nullptr);
    EXPECT_EQ(setup->HeaderFor(3)->toPlainText(), "Top " + page);
}

// Each group of a kind writes after what the groups of that kind before it wrote.
TEST(RtfLayout, HeaderGroupsOfOneKindFollowEachOther)
{
    struct Case {
        QByteArray groups;
        QString header;
    };
    const Case cases[] = {
        {"{\\header A\\par}{\\header B}", "A|B"},
        {"{\\header A}{\\footer F}{\\header\\qc B\\par}", "A|B"},
        {"{\\header\\intbl a\\cell\\row}{\\header B}", "a|B"},
        {"{\\header a{\\header b}c}", "a|bc"},
    };
    // The paragraphs with text, one after the other.
    const auto paragraphs = [](const QTextDocument &part) {
        return part.toPlainText().split(u'\n', Qt::SkipEmptyParts).join(u'|');
    };
    for (const Case &c : cases) {
        QTextDocument document;
        ReadRtf(document, "{\\rtf1" + c.groups + "Body}");
        EXPECT_EQ(document.toPlainText(), "Body");
        const PageSetup *setup = PageSetup::Of(document);
        ASSERT_NE(setup->HeaderFor(1), nullptr);
        EXPECT_EQ(paragraphs(*setup->HeaderFor(1)), c.header) << c.groups.constData();
    }
}

TEST(RtfLayout, ListNumbersFollowTheirListLevel)
{
    const QByteArray lists =
        "{\\rtf1{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
        "{\\*\\listtable{\\list{\\listlevel\\levelfollow0}{\\listlevel\\levelfollow2}\\listid7}"
        "{\\list{\\listlevel\\levelfollow1}\\listid8}}"
        "{\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid8\\listoverridecount0\\ls2}}";
    const struct {
        QByteArray body;
        QString text;
    } cases[] = {
        {"\\pard\\f1\\b{\\listtext\\pard\\plain 1.\\tab}\\ls1\\ilvl0 Tab}", "1.\tTab"},
        {"\\pard\\f1\\b{\\listtext\\pard\\plain 1.1\\tab}\\ls1\\ilvl1 None}", "1.1None"},
        {"\\pard\\f1\\b{\\listtext\\pard\\plain 2.\\tab}\\ls2\\ilvl0 Blank}", "2. Blank"},
        {"\\pard\\f1\\b{\\listtext\\pard\\plain 3.\\tab}\\ls9\\ilvl0 Unknown}", "3.\tUnknown"},
    };
    for (const auto &c : cases) {
        QTextDocument document;
        ReadRtf(document, lists + c.body);
        EXPECT_EQ(document.toPlainText(), c.text) << c.body.constData();
        // The number takes its paragraph's font, not the document's default one.
        QTextCursor number(&document);
        number.setPosition(1);
        EXPECT_EQ(number.charFormat().fontFamilies().toStringList(), QStringList{"Arial"});
        EXPECT_EQ(number.charFormat().fontWeight(), QFont::Bold);
    }
}

TEST(RtfLayout, HiddenTextFieldResultsCodePagesAndFootnoteMarks)
{
    const struct {
        QByteArray rtf;
        QString text;
    } cases[] = {
        {"{\\rtf1 shown{\\v hidden}\\v also\\v0  again}", "shown again"},
        {"{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} text}", "link text"},
        {"{\\rtf1\\ansi\\ansicpg1250 \\'8a\\'e8\\'f8}", QStringLiteral("Ščř")},
        {"{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}", QStringLiteral("Да")},
        {"{\\rtf1\\ansi\\ansicpg1252 \\'80\\'e8}", QStringLiteral("€è")},
        {"{\\rtf1\\ansi\\ansicpg99999 \\'80}", QStringLiteral("€")},
        {"{\\rtf1 Note{\\super\\chftn}{\\*\\footnote\\chftn  text} and{\\super\\chftn}"
         "{\\footnote\\chftn more}.}",
         "Note1 and2."},
    };
    for (const auto &c : cases) {
        QTextDocument document;
        ReadRtf(document, c.rtf);
        EXPECT_EQ(document.toPlainText(), c.text) << c.rtf.constData();
    }
}

// A word processor keeps paragraphs, not the breaks that filled-in text would bring: the
// template read as it stands ends each marker's paragraph right after the marker.
TEST(RtfLayout, TheShippedTemplateGivesEveryMarkerItsOwnParagraph)
{
    QFile file(QStringLiteral(VELMARO_REPORT_TEMPLATE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QTextDocument document;
    ReadRtf(document, file.readAll());
    const QRegularExpression markerParagraph(R"(^[A-Za-z ]*:?[ \t]?(\[\$\d+\])+$)");
    int markers = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.text().contains("[$"))
            continue;
        EXPECT_TRUE(markerParagraph.match(block.text()).hasMatch()) << block.text().toStdString();
        markers += static_cast<int>(block.text().count("[$"));
    }
    EXPECT_EQ(markers, 20);
}

} // namespace
} // namespace velmaro
