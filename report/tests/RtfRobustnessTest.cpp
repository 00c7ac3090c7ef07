#include "report/ReportPages.h"
#include "report/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace velmaro {
namespace {

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Pieces that stress the reader where it keeps state: groups, escapes, parameters, tables.
const std::array<QByteArray, 24> kPieces = {
    "{", "}", "\\", "\\'", "\\'z", "\\u-", "\\u", "\\bin", "\\bin7 ", "\\uc9", "\\fs",
    "99999999999", "-", "\\*", "\\par ", "{\\*\\x ", "\\fonttbl", "\\colortbl", ";", "\\f",
    "\\cf", "\r\n", QByteArray(1, '\0'), "\xFF",
};

qsizetype Position(std::mt19937 &random, qsizetype size)
{
    return static_cast<qsizetype>(random() % static_cast<unsigned>(size + 1));
}

void MutateOnce(QByteArray &bytes, std::mt19937 &random)
{
    const qsizetype at = Position(random, bytes.size());
    switch (random() % 5) {
    case 0:
        if (at < bytes.size())
            bytes[at] = static_cast<char>(random() % 256);
        break;
    case 1: bytes.insert(at, kPieces[random() % kPieces.size()]); break;
    case 2: bytes.remove(at, static_cast<qsizetype>(random() % 64)); break;
    case 3: bytes.insert(at, bytes.mid(Position(random, bytes.size()), random() % 256)); break;
    default:
        if (random() % 8 == 0)
            bytes.truncate(at);
    }
}

// Whatever the bytes, loading ends and shows no more characters than there were bytes.
TEST(RtfRobustness, MutatedTemplatesLoadWithoutFault)
{
    const QByteArray original = FileBytes(QStringLiteral(VELMARO_REPORT_TEMPLATE));
    ASSERT_FALSE(original.isEmpty()) << VELMARO_REPORT_TEMPLATE;
    std::mt19937 random(20240517);
    QTextDocument document;
    for (int round = 0; round < 1500; ++round) {
        QByteArray bytes = original;
        const int edits = 1 + static_cast<int>(random() % 12);
        for (int e = 0; e < edits; ++e)
            MutateOnce(bytes, random);
        LoadReportDocument(document, bytes);
        ASSERT_LE(document.characterCount(), bytes.size() + 1) << "round " << round;
    }
}

TEST(RtfRobustness, RandomBytesAfterTheHeaderLoad)
{
    std::mt19937 random(7);
    QTextDocument document;
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes("{\\rtf1 ");
        const int length = static_cast<int>(random() % 4000);
        for (int i = 0; i < length; ++i)
            bytes.append(random() % 3 == 0 ? kPieces[random() % kPieces.size()]
                                           : QByteArray(1, static_cast<char>(random() % 256)));
        ReadRtf(document, bytes);
        ASSERT_LE(document.characterCount(), bytes.size() + 1) << "round " << round;
    }
}

// A word processor's template with a table, a picture, lists, a header and a footer, damaged
// where those keep their state, still loads and is cut into pages.
TEST(RtfRobustness, MutatedWordProcessorTemplatesLoadAndPaginate)
{
    const QByteArray original = FileBytes(QStringLiteral(VELMARO_FIXTURES "/TemplateFeatures.rtf"));
    ASSERT_FALSE(original.isEmpty());
    const std::array<QByteArray, 10> structure = {"\\cell ", "\\row ", "\\intbl ", "\\trowd ",
                                                  "\\cellx900 ", "\\page ", "\\keepn ",
                                                  "{\\header ", "{\\pict\\pngblip 89", "\\pard "};
    std::mt19937 random(31);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = original;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e) {
            MutateOnce(bytes, random);
            bytes.insert(Position(random, bytes.size()), structure[random() % structure.size()]);
        }
        QTextDocument document;
        LoadReportDocument(document, bytes);
        ASSERT_GE(ReportPages(document, QSizeF(500, 700)).Count(), 1) << "round " << round;
    }
}

// Table words in the orders that once took the reader to a cell the table does not have, as the
// fuzzer found them: each loads, is cut into pages and its first page painted.
TEST(RtfRobustness, TableInputsThatCrashedTheReaderLoad)
{
    const QDir folder(QStringLiteral(VELMARO_FIXTURES "/table-crashes"));
    const QStringList files = folder.entryList({"*.rtf"}, QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << folder.path().toStdString();
    for (const QString &file : files) {
        QTextDocument document;
        ReadRtf(document, FileBytes(folder.filePath(file)));
        const ReportPages pages(document, QSizeF(500, 300));
        ASSERT_GE(pages.Count(), 1) << file.toStdString();
        QImage page(500, 300, QImage::Format_RGB32);
        QPainter painter(&page);
        pages.Paint(painter, 0);
    }
}

} // namespace
} // namespace velmaro
