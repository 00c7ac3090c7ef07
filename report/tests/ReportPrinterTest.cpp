#include "ReportPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

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

    QTemporaryDir directory_;
    QString pdf_ = directory_.filePath("report.pdf");
    QPrinter printer_{QPrinter::HighResolution};
};

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
