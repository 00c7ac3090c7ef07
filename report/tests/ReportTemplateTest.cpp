#include "report/ReportTemplate.h"

#include "text/FieldText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace velmaro {
namespace {

// Shows which identifiers the scan hands over, and where.
QByteArray Echo(const QByteArray &identifier) { return "<" + identifier + ">"; }

TEST(ScanReportTemplate, MarkersAndTheTextAroundThem)
{
    struct Case {
        QByteArray bytes;
        QByteArray report;
    };
    const Case cases[] = {
        {"{\\rtf1\\ansi plain text \\par\r\n}", "{\\rtf1\\ansi plain text \\par\r\n}"},
        {QByteArray("\x00\xB2\xFF", 3), QByteArray("\x00\xB2\xFF", 3)},
        {"", ""},
        {"a[b[1] [", "a[b[1<> ["},
        {"[x][$", "[x<>"},
        {"[$1]", "<$1>"},
        {"x[$12][$3]y", "x<$12><$3>y"},
        {"[#1] [&2]", "<#1> <&2>"},
        {"a]b", "a<>b"},
        {"[$1[x]", "[<$1x>"},
        {"[$1[$2]", "<$1$2>"},
        {"[$1[&]", "<$1&>"},
        {"tail [$12", "tail "},
        {"[$1\r\n\\par ]", "<$1\r\n\\par >"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ScanReportTemplate(c.bytes, Echo), c.report) << c.bytes.constData();
}

// Markers whose texts would fill more than the limit are refused, before the texts of the
// markers beyond it are even made.
TEST(ScanReportTemplate, AReportPastTheSizeLimitIsRefusedBeforeItIsFilled)
{
    constexpr qsizetype kTextSize = 1024 * 1024;
    QByteArray templateBytes;
    for (int marker = 0; marker < 1000; ++marker)
        templateBytes += "[$13]";
    int made = 0;
    const auto resolve = [&made](const QByteArray &) {
        ++made;
        return QByteArray(kTextSize, 'x');
    };
    try {
        ScanReportTemplate(templateBytes, resolve);
        ADD_FAILURE() << "a report of 1000 MiB was filled";
    } catch (const ReportError &error) {
        EXPECT_STREQ(error.what(), "The report would be larger than 67108864 bytes: its template "
                                   "repeats long listings too often");
    }
    EXPECT_EQ(made, kReportSizeLimit / kTextSize + 1);
    templateBytes.truncate(5 * (kReportSizeLimit / kTextSize));
    EXPECT_EQ(ScanReportTemplate(templateBytes, resolve).size(), kReportSizeLimit);
}

TEST(ReportIdentifierNumber, ReadsUpToTenCharactersAfterTheDollar)
{
    struct Case {
        QByteArray identifier;
        int number;
    };
    const Case cases[] = {{"$1", 1},           {"$13", 13},         {"$0", 0},
                          {"$-3", -3},         {"$+7", 7},          {"$00000000013", 1},
                          {"$0000000001x", 1}, {"$2147483647", 2147483647},
                          {"$-2147483648", -214748364}};
    for (const Case &c : cases)
        EXPECT_EQ(ReportIdentifierNumber(c.identifier), c.number) << c.identifier.constData();
}

TEST(ReportIdentifierNumber, NumberTextThatIsNotAnIntegerIsAConversionError)
{
    struct Case {
        QByteArray identifier;
        const char *message;
    };
    const Case cases[] = {
        {"$", "'' is not a valid integer value"},
        {"$1a", "'1a' is not a valid integer value"},
        {"$ 1", "' 1' is not a valid integer value"},
        {"$+-3", "'+-3' is not a valid integer value"},
        {"$-", "'-' is not a valid integer value"},
        {"$1\\par ", "'1\\par ' is not a valid integer value"},
        {"$1\r\n", "'1\r\n' is not a valid integer value"},
        {"$$2", "'$2' is not a valid integer value"},
        {"$9999999999", "'9999999999' is not a valid integer value"},
        {"$1\xB2", "'1\xC2\xB2' is not a valid integer value"}, // the message is UTF-8
    };
    for (const Case &c : cases) {
        try {
            ReportIdentifierNumber(c.identifier);
            ADD_FAILURE() << "no error for " << c.identifier.constData();
        } catch (const ConversionError &error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(ReportIdentifierNumber, AnIdentifierWithoutDollarIsAnAssertion)
{
    for (const QByteArray &identifier : {QByteArray(), QByteArray("#1"), QByteArray("&2"),
                                        QByteArray("1"), QByteArray(" $1")}) {
        try {
            ReportIdentifierNumber(identifier);
            ADD_FAILURE() << "no error for " << identifier.constData();
        } catch (const ReportAssertionError &error) {
            EXPECT_TRUE(QByteArray(error.what()).startsWith("Report identifier [$--] not valid ("));
            // The source file by its name alone: the build machine's folders mean nothing to
            // the user.
            const QByteArray message(error.what());
            EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(\(ReportTemplate\.cpp, line \d+\)$)"))
                            .match(QString::fromUtf8(message))
                            .hasMatch())
                << error.what();
            EXPECT_FALSE(message.contains('/')) << error.what();
        }
    }
}

class TemplateFile : public ::testing::Test {
protected:
    QString Write(const QByteArray &bytes)
    {
        const QString path = directory_.filePath("template.rtf");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static std::string Message(const QString &path)
    {
        try {
            ReadReportTemplate(path);
        } catch (const ReportError &error) {
            return error.what();
        }
        return "no error";
    }

    QTemporaryDir directory_;
};

TEST_F(TemplateFile, IsReadWholeUpToTheLimit)
{
    EXPECT_EQ(ReadReportTemplate(Write("")), QByteArray());
    const QByteArray large(kTemplateSizeLimit, 'x');
    EXPECT_EQ(ReadReportTemplate(Write(large)), large);
    const QByteArray beyond(40000, 'y'); // beyond the 18000 bytes of the old buffer
    EXPECT_EQ(FillReportTemplate(Write(beyond + "[$1]"), Echo), beyond + "<$1>");
}

TEST_F(TemplateFile, LargerThanTheLimitIsRefusedNamingFileAndLimit)
{
    const QString path = Write(QByteArray(kTemplateSizeLimit + 1, 'x'));
    EXPECT_EQ(Message(path), "The report template " + path.toStdString() +
                                 " is larger than 1048576 bytes");
}

TEST_F(TemplateFile, MissingOrUnreadableFileNamesItsFullPath)
{
    const QString missing = directory_.filePath("Reportes/ModeloRepVelmaro.rtf");
    EXPECT_EQ(Message(missing), "Cannot open file " + missing.toStdString());

    // A relative path is reported in full.
    const QString relative = QDir::current().relativeFilePath(missing);
    EXPECT_EQ(Message(relative), "Cannot open file " + missing.toStdString());

    EXPECT_NE(Message(directory_.path()), "no error");
}

TEST(ShippedTemplate, IsSmallWindows1252RtfWithEveryIdentifierOnce)
{
    const QByteArray bytes = ReadReportTemplate(QStringLiteral(VELMARO_REPORT_TEMPLATE));
    EXPECT_LE(bytes.size(), 18000);
    EXPECT_TRUE(bytes.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    const std::vector<int> identifiers{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    for (const int id : identifiers)
        EXPECT_EQ(bytes.count("[$" + QByteArray::number(id) + "]"), 1) << id;
    EXPECT_EQ(bytes.count('['), static_cast<qsizetype>(identifiers.size()));
    EXPECT_EQ(bytes.count(']'), static_cast<qsizetype>(identifiers.size()));
    int depth = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        EXPECT_TRUE(byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D)
            << "no such character in Windows-1252 at " << i;
        if (byte == '\\') {
            ++i; // an escaped brace or backslash
        } else if (byte == '{') {
            ++depth;
        } else if (byte == '}') {
            EXPECT_GT(depth--, 0) << "unbalanced at " << i;
            if (depth == 0) {
                EXPECT_TRUE(bytes.mid(i + 1).trimmed().isEmpty()) << "text after the document";
            }
        }
    }
    EXPECT_EQ(depth, 0);
}

} // namespace
} // namespace velmaro
