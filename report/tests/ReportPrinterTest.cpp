#include "report/ReportPrinter.h"

#include "engine/Chain.h"
#include "engine/ModelState.h"
#include "report/ReportSources.h"
#include "report/ReportTexts.h"
#include "report/RtfReader.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace velmaro {
namespace {

QString RunTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString InfoField(const QString &info, const QString &field)
{
    for (const QString &line : info.split(u'\n'))
        if (line.startsWith(field + u':'))
            return line.mid(field.size() + 1).trimmed();
    return {};
}

QString PageText(const QString &pdf, int page)
{
    return RunTool("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page),
                                 pdf, "-"});
}

QStringList PageLines(const QString &pdf, int page)
{
    QStringList lines;
    for (const QString &line : PageText(pdf, page).split(u'\n'))
        if (!line.trimmed().isEmpty())
            lines.append(line.simplified());
    return lines;
}

int PageCount(const QString &pdf) { return InfoField(RunTool("pdfinfo", {pdf}), "Pages").toInt(); }

// The default watershed with this many rainfall steps, every stage run. The fields show 0
// without a unit: how the pages fall depends on the listings, not on single values.
class StepsSources final : public ReportSources {
public:
    explicit StepsSources(int steps)
    {
        model.SetDefaults();
        model.StepCount = steps;
        RunGuardedChain(model);
    }

    ShownValue Field(ReportField) const override { return {}; }
    ShownValue InFieldUnit(ReportField, double) const override { return {}; }
    ListEntry SoilGroup() const override { return {1, "B: Moderate infiltration rate"}; }
    ListEntry StepCount() const override
    {
        return {model.StepCount - 1, QString::number(model.StepCount)};
    }
    QString LandUseCaption() const override { return "Urban areas"; }
    QString SeriesKindCaption() const override { return "Series of partial rainfall heights"; }
    QString VolumeCheck() const override { return "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %"; }
    ListEntry UnitHydrograph() const override { return {0, "Triangular"}; }
    const ModelState &Model() const override { return model; }
    std::optional<QString> StaleReason(Stage) const override { return std::nullopt; }

    ModelState model;
};

QByteArray FilledReport(const QString &templatePath, int steps)
{
    return FillReport(templatePath, StepsSources(steps));
}

class PrintToPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty() ||
            QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are needed";
        ASSERT_TRUE(directory_.isValid());
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(pdf_);
    }

    void PrintRtf(const QByteArray &rtf)
    {
        LoadReportDocument(document_, rtf);
        PrintDocument(document_, printer_);
    }

    QTemporaryDir directory_;
    QString pdf_ = directory_.filePath("report.pdf");
    QPrinter printer_{QPrinter::HighResolution};
    QTextDocument document_;
};

TEST_F(PrintToPdf, EveryLineIsPrintedOnceWhereverThePageEnds)
{
    // Paragraphs of several lines, of different sizes and spacing, cut by many page ends.
    QByteArray rtf = "{\\rtf1 ";
    for (int paragraph = 0; paragraph < 60; ++paragraph) {
        rtf += "\\pard\\sa" + QByteArray::number(paragraph % 4 * 90) + "\\fs" +
               QByteArray::number(18 + paragraph % 5 * 4) + " ";
        for (int line = 0; line < 7; ++line)
            rtf += (line ? "\\line " : "") + QByteArray("Line ") + QByteArray::number(paragraph * 7 + line) + "x";
        rtf += "\\par\n";
    }
    PrintRtf(rtf + "}");
    ASSERT_GT(PageCount(pdf_), 3);
    const QString text = RunTool("pdftotext", {pdf_, "-"});
    for (int line = 0; line < 60 * 7; ++line)
        EXPECT_EQ(text.count(QStringLiteral("Line %1x").arg(line)), 1) << line;
}

TEST_F(PrintToPdf, HeadingsStayWithTheirTextAndPageBreaksStartPages)
{
    QByteArray rtf = "{\\rtf1 ";
    // Sections of 1 to 13 rows, so that headings fall at every height of a page.
    for (int section = 1; section <= 40; ++section) {
        rtf += "\\pard\\keepn\\sb240\\fs28 Heading " + QByteArray::number(section) + "\\par";
        for (int row = 0; row < section * 5 % 13 + 1; ++row)
            rtf += "\\pard\\fs20 Row " + QByteArray::number(section) + "." + QByteArray::number(row) + "\\par";
        if (section == 30)
            rtf += "\\page ";
    }
    PrintRtf(rtf + "}");
    const int pages = PageCount(pdf_);
    ASSERT_GT(pages, 2);
    bool breakSeen = false;
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = PageLines(pdf_, page);
        ASSERT_FALSE(lines.isEmpty()) << page;
        EXPECT_FALSE(lines.last().startsWith("Heading")) << "page " << page << " ends with a heading";
        if (lines.first() == "Heading 31")
            breakSeen = true;
    }
    EXPECT_TRUE(breakSeen) << "the page break starts a page";
}

TEST_F(PrintToPdf, TheTemplatesMarginsPlaceTheText)
{
    printer_.setPageSize(QPageSize(QPageSize::A4));
    PrintRtf("{\\rtf1\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1701\\margb1134 "
             "First\\par}");
    const QString box = RunTool("pdftotext", {"-bbox", pdf_, "-"});
    const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)")re");
    const QRegularExpressionMatch first = word.match(box);
    ASSERT_TRUE(first.hasMatch()) << box.toStdString();
    EXPECT_NEAR(first.captured(1).toDouble(), 56.7, 1.5); // 2 cm
    EXPECT_NEAR(first.captured(2).toDouble(), 85.0, 3);   // 3 cm
}

// Writer prints these reports on these pages; each page starts with the same line.
TEST_F(PrintToPdf, TheShippedTemplatePrintsTheReportOnFullPages)
{
    const struct {
        int steps;
        QStringList pageStarts;
    } cases[] = {
        {1, {"Surface Runoff Report", "Time : 4"}},
        {68,
         {"Surface Runoff Report", "Rainfall step #: 28", "Time: 10", "Time : 4", "5. Runoff",
          "Time : 29.5"}},
    };
    for (const auto &c : cases) {
        PrintRtf(FilledReport(QStringLiteral(VELMARO_REPORT_TEMPLATE), c.steps));
        ASSERT_EQ(PageCount(pdf_), c.pageStarts.size()) << c.steps;
        for (int page = 1; page <= c.pageStarts.size(); ++page)
            EXPECT_TRUE(PageLines(pdf_, page).value(0).startsWith(c.pageStarts[page - 1]))
                << c.steps << " steps, page " << page << ": "
                << PageLines(pdf_, page).value(0).toStdString();
    }
}

TEST_F(PrintToPdf, AWordProcessorsTemplatePrintsItsTableLogoHeaderAndFooter)
{
    PrintRtf(FilledReport(QStringLiteral(VELMARO_FIXTURES "/TemplateFeatures.rtf"), 8));
    ASSERT_EQ(PageCount(pdf_), 2);
    const QStringList first = PageLines(pdf_, 1);
    const QStringList second = PageLines(pdf_, 2);
    EXPECT_EQ(first.first(), "Velmaro runoff report");
    EXPECT_EQ(second.first(), "Velmaro runoff report");
    EXPECT_EQ(first.last(), "Page 1 of 2");
    EXPECT_EQ(second.last(), "Page 2 of 2");
    EXPECT_EQ(second.value(1), "2. Runoff"); // the heading's page break
    EXPECT_TRUE(first.contains("1. Watershed"));
    // The marker's three paragraphs stay in the table cell beside its label.
    EXPECT_TRUE(PageText(pdf_, 1).contains(QRegularExpression("Geometry +Distance from farthest")));
    EXPECT_TRUE(first.contains("• Hydrologic Group B: Moderate infiltration rate"));
    const QString images = RunTool("pdfimages", {"-list", pdf_});
    EXPECT_EQ(images.count(QRegularExpression(R"re(\n +1 +\d+ image +48 +24 )re")), 1) << images.toStdString();
}

QByteArray PngFile(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Pictures print as they are in a header, and given as raw bytes in place of hexadecimal.
TEST_F(PrintToPdf, PicturesInHeadersAndInRawBytesPrint)
{
    const QByteArray header = PngFile(QSize(8, 4));
    const QByteArray body = PngFile(QSize(6, 3));
    PrintRtf("{\\rtf1{\\header {\\pict\\pngblip " + header.toHex() + "}\\par}Body "
             "{\\pict\\pngblip\\bin" + QByteArray::number(body.size()) + " " + body + "}\\par}");
    QStringList images = RunTool("pdfimages", {"-list", pdf_}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(images.size(), 2);
    images.remove(0, 2); // the column names and the rule below them
    ASSERT_EQ(images.size(), 2) << images.join(u'\n').toStdString();
    EXPECT_TRUE(images[0].contains(QRegularExpression(R"( image +8 +4 )"))) << images[0].toStdString();
    EXPECT_TRUE(images[1].contains(QRegularExpression(R"( image +6 +3 )"))) << images[1].toStdString();
}

TEST_F(PrintToPdf, SavingWritesThePrintedPagesOrTheRtfWholeOrNothing)
{
    const QByteArray rtf = FilledReport(QStringLiteral(VELMARO_REPORT_TEMPLATE), 68);
    LoadReportDocument(document_, rtf);
    const QString saved = directory_.filePath("saved.pdf");
    SaveDocumentAsPdf(document_, saved);
    PrintDocument(document_, printer_);
    EXPECT_EQ(PageCount(saved), PageCount(pdf_));
    EXPECT_EQ(RunTool("pdftotext", {saved, "-"}), RunTool("pdftotext", {pdf_, "-"}));

    const QString savedRtf = directory_.filePath("saved.rtf");
    SaveDocumentAsRtf(document_, savedRtf);
    QFile file(savedRtf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), rtf);

    const QString unwritable = directory_.filePath("missing/report");
    const auto save = [&](const std::function<void(const QTextDocument &, const QString &)> &function) {
        try {
            function(document_, unwritable);
            ADD_FAILURE() << "no error";
        } catch (const PrintError &error) {
            EXPECT_EQ(QString::fromUtf8(error.what()),
                      "The report could not be printed on " + unwritable);
        }
    };
    save([](const QTextDocument &document, const QString &path) { SaveDocumentAsPdf(document, path); });
    save(&SaveDocumentAsRtf);
    EXPECT_FALSE(QFile::exists(unwritable));
}

// A long job tells its progress page by page; stopped, it leaves no partial file behind.
TEST_F(PrintToPdf, ProgressCountsThePagesAndAStoppedJobLeavesNoPartialFile)
{
    LoadReportDocument(document_, FilledReport(QStringLiteral(VELMARO_REPORT_TEMPLATE), 68));
    const QString saved = directory_.filePath("saved.pdf");
    const QString pdf = pdf_;
    const struct {
        const char *job;
        std::function<void(const PageProgress &)> run;
        QString output;
        bool keepsFormerFile;
    } jobs[] = {
        {"print", [&](const PageProgress &p) { PrintDocument(document_, printer_, p); }, pdf, false},
        {"save", [&](const PageProgress &p) { SaveDocumentAsPdf(document_, saved, p); }, saved, true},
    };
    for (const auto &job : jobs) {
        std::vector<std::pair<int, int>> told;
        job.run([&](int painted, int total) {
            told.emplace_back(painted, total);
            return true;
        });
        const std::vector<std::pair<int, int>> everyPage{{1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}};
        EXPECT_EQ(told, everyPage) << job.job;
        EXPECT_EQ(PageCount(job.output), 6) << job.job;

        QFile former(job.output);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write("former");
        former.close();
        told.clear();
        job.run([&](int painted, int total) {
            told.emplace_back(painted, total);
            return painted < 2;
        });
        EXPECT_EQ(told.size(), 2u) << job.job;
        ASSERT_TRUE(former.open(QIODevice::ReadOnly) == job.keepsFormerFile) << job.job;
        if (job.keepsFormerFile) {
            EXPECT_EQ(former.readAll(), "former");
        }
    }
}

// The name's ending decides the file's type; a name without one takes the type chosen.
TEST_F(PrintToPdf, SavingAsChoosesTheTypeByTheNameThenByTheChoice)
{
    LoadReportDocument(document_, "{\\rtf1 Saved text\\par}");
    const struct {
        const char *name;
        bool rtfChosen;
        const char *written;
        bool rtf;
    } cases[] = {{"a.pdf", true, "a.pdf", false}, {"b.RTF", false, "b.RTF", true},
                 {"c", true, "c.rtf", true},      {"d", false, "d.pdf", false},
                 {"e.txt", true, "e.txt.rtf", true}};
    for (const auto &c : cases) {
        const QString written = SaveDocumentAs(document_, directory_.filePath(c.name), c.rtfChosen);
        EXPECT_EQ(written, directory_.filePath(c.written)) << c.name;
        QFile file(written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.name;
        EXPECT_EQ(file.read(5), c.rtf ? QByteArray("{\\rtf") : QByteArray("%PDF-")) << c.name;
    }
}

TEST_F(PrintToPdf, EveryPageOfTheDocumentIsPrintedUnderTheJobTitle)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    for (int line = 1; line <= 300; ++line) {
        if (line > 1)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("Report line %1").arg(line));
    }
    const int pages = PrintedPageCount(document, printer_);
    ASSERT_GT(pages, 2);
    PrintDocument(document, printer_);

    const QString info = RunTool("pdfinfo", {pdf_});
    EXPECT_EQ(InfoField(info, "Pages").toInt(), pages);
    EXPECT_EQ(InfoField(info, "Title"), "Print of VELMARO");
    const QString text = RunTool("pdftotext", {"-layout", pdf_, "-"});
    EXPECT_TRUE(text.contains("Report line 1\n") || text.contains("Report line 1 "));
    EXPECT_TRUE(text.contains("Report line 300"));
    // No line is lost or cut between two pages.
    for (int line = 1; line <= 300; line += 37)
        EXPECT_TRUE(text.contains(QStringLiteral("Report line %1").arg(line))) << line;
}

TEST_F(PrintToPdf, APageRangeFromThePrintDialogPrintsOnlyThosePages)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    for (int line = 1; line <= 300; ++line)
        cursor.insertText(QStringLiteral("Report line %1\n").arg(line));
    const int pages = PrintedPageCount(document, printer_);
    ASSERT_GT(pages, 2);
    const struct {
        int from, to, expected;
    } ranges[] = {{2, 2, 1}, {2, pages + 5, pages - 1}, {pages + 3, pages + 4, 1}};
    for (const auto &r : ranges) {
        printer_.setPrintRange(QPrinter::PageRange);
        printer_.setFromTo(r.from, r.to);
        PrintDocument(document, printer_);
        EXPECT_EQ(InfoField(RunTool("pdfinfo", {pdf_}), "Pages").toInt(), r.expected) << r.from;
    }
    const QString text = RunTool("pdftotext", {"-layout", pdf_, "-"});
    EXPECT_FALSE(text.contains("Report line 1\n")) << "the last range prints the last page only";
    EXPECT_TRUE(text.contains("Report line 300"));
}

TEST_F(PrintToPdf, AnEmptyDocumentGivesOneEmptyPage)
{
    QTextDocument document;
    EXPECT_EQ(PrintedPageCount(document, printer_), 1);
    PrintDocument(document, printer_);
    EXPECT_EQ(InfoField(RunTool("pdfinfo", {pdf_}), "Pages").toInt(), 1);
}

TEST_F(PrintToPdf, AnUnwritableOutputIsAnError)
{
    printer_.setOutputFileName(directory_.filePath("missing/folder/report.pdf"));
    QTextDocument document;
    document.setPlainText("x");
    EXPECT_THROW(PrintDocument(document, printer_), PrintError);
}

TEST(DefaultPrinter, MissingDefaultPrinterIsAClearError)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer; the test would print on it";
    QTextDocument document;
    try {
        PrintToDefaultPrinter(document);
        FAIL() << "no error";
    } catch (const PrintError &error) {
        EXPECT_STREQ(error.what(), "There is no default printer: install a printer and make it "
                                   "the default one to print the report");
    }
}

} // namespace
} // namespace velmaro
