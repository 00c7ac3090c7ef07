#include "report/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace velmaro {
namespace {

QString Read(const QByteArray &rtf)
{
    QTextDocument document;
    LoadReportDocument(document, rtf);
    return document.toRawText();
}

// The format of the character at position (0-based) in the document.
QTextCharFormat FormatAt(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

int Find(const QTextDocument &document, const QString &text)
{
    return static_cast<int>(document.toRawText().indexOf(text));
}

TEST(RtfReader, TextOfTheBody)
{
    struct Case {
        const char *rtf;
        QString text;
    };
    const QChar ps(QChar::ParagraphSeparator);
    const QChar ls(QChar::LineSeparator);
    const Case cases[] = {
        {"{\\rtf1\\ansi one\\par\\qc two\\line three\\tab four}",
         QStringLiteral("one") + ps + "two" + ls + "three\tfour"},
        {"{\\rtf1 a\r\nb\\\r\n\\qc c}", QStringLiteral("ab") + ps + "c"},
        {"{\\rtf1 \\'80\\'b2\\'e9 \\'zz}", QStringLiteral("€²é zz")},
        {"{\\rtf1 \\{\\}\\\\\\~\\-\\_}", QStringLiteral("{}\\\u00A0\u00AD\u2011")},
        {"{\\rtf1 \\u8364? \\u-3913?x}", QStringLiteral("€ \uF0B7x")},
        {"{\\rtf1 \\uc2\\u8364\\'80\\'80X \\uc0\\u233 e}", QStringLiteral("€X ée")},
        {"{\\rtf1 {\\uc3 \\u233 abcd}\\u233 ab}", QStringLiteral("édéb")},
        {"{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
         QStringLiteral("\u2014\u2013\u2022\u2018\u2019\u201C\u201D")},
        {"{\\rtf1 a\\unknownword7 b\\b\\b0 c}", QStringLiteral("abc")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Read(c.rtf), c.text) << c.rtf;
}

TEST(RtfReader, DestinationsItDoesNotShowAreSkipped)
{
    const char *rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss{\\*\\panose 020b}Arial;}}"
        "{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 Normal;}}"
        "{\\info{\\title Title}{\\author Me}}{\\*\\generator Writer 1.0;}"
        "{\\*\\anything {nested} text}{\\header Page}{\\pict\\bin4 }}{x more}"
        "{\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}Body}";
    EXPECT_EQ(Read(rtf), QStringLiteral("3Body"));
}

TEST(RtfReader, GroupsKeepTheirCharacterState)
{
    QTextDocument document;
    ReadRtf(document, "{\\rtf1 a{\\b b{\\i c\\ul d\\ulnone e}f}g\\strike h\\strike0 i\\b j\\plain k}");
    const auto fmt = [&](char ch) { return FormatAt(document, Find(document, QString(ch))); };
    EXPECT_NE(fmt('a').fontWeight(), QFont::Bold);
    EXPECT_EQ(fmt('b').fontWeight(), QFont::Bold);
    EXPECT_TRUE(fmt('c').fontItalic());
    EXPECT_EQ(fmt('c').fontWeight(), QFont::Bold);
    EXPECT_TRUE(fmt('d').fontUnderline());
    EXPECT_FALSE(fmt('e').fontUnderline());
    EXPECT_FALSE(fmt('f').fontItalic());
    EXPECT_NE(fmt('g').fontWeight(), QFont::Bold);
    EXPECT_TRUE(fmt('h').fontStrikeOut());
    EXPECT_FALSE(fmt('i').fontStrikeOut());
    EXPECT_EQ(fmt('j').fontWeight(), QFont::Bold);
    EXPECT_NE(fmt('k').fontWeight(), QFont::Bold);
}

TEST(RtfReader, FontsSizesAndColoursComeFromTheTables)
{
    QTextDocument document;
    ReadRtf(document,
            "{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
            "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
            "d\\f0\\fs30 a\\cf1 r\\cf0 n\\highlight2 h\\cb0 o\\cf9 x\\plain p}");
    const auto fmt = [&](char ch) { return FormatAt(document, Find(document, QString(ch))); };
    EXPECT_EQ(fmt('d').fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_EQ(fmt('d').fontPointSize(), 12);
    EXPECT_EQ(fmt('a').fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(fmt('a').fontPointSize(), 15);
    EXPECT_EQ(fmt('r').foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(fmt('n').hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(fmt('h').background().color(), QColor(0, 0, 255));
    EXPECT_FALSE(fmt('o').hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_FALSE(fmt('x').hasProperty(QTextFormat::ForegroundBrush)); // no such entry
    EXPECT_EQ(fmt('p').fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_EQ(fmt('p').fontPointSize(), 12);
}

// Each font and size shown costs Qt a font to find and load; a document asking for more than
// 256 is shown in those it asked for first.
TEST(RtfReader, FontsBeyondTheFirst256TakeTheNearestShown)
{
    QByteArray rtf = "{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}{\\f1\\fs20 c}";
    for (int halfPoints = 2; halfPoints <= 256; ++halfPoints)
        rtf += "\\fs" + QByteArray::number(halfPoints) + " x";
    rtf += "\\fs1000 a\\fs40 b\\f1\\fs23 e\\f1\\fs500 f\\f2\\fs900 g\\fs1000 h}";
    QTextDocument document;
    ReadRtf(document, rtf);
    const auto fmt = [&](char ch) { return FormatAt(document, Find(document, QString(ch))); };
    const auto font = [&](char ch) {
        return std::make_pair(fmt(ch).fontFamilies().toStringList().value(0), fmt(ch).fontPointSize());
    };
    EXPECT_EQ(font('c'), std::make_pair(QString("Courier"), 10.0));
    EXPECT_EQ(font('a'), std::make_pair(QString("Arial"), 128.0)); // the largest shown
    EXPECT_EQ(font('b'), std::make_pair(QString("Arial"), 20.0));  // shown before
    EXPECT_EQ(font('e'), std::make_pair(QString("Courier"), 10.0)); // its font's nearest size
    EXPECT_EQ(font('f'), std::make_pair(QString("Courier"), 10.0));
    EXPECT_EQ(font('g'), std::make_pair(QString("Arial"), 128.0)); // a font with no size shown
    EXPECT_EQ(font('h'), font('g'));
}

// Qt lays out a run with no place to break in a time that grows with its square; a long run
// gets invisible places to break.
TEST(RtfReader, AVeryLongRunGetsPlacesToBreak)
{
    const QString zeroWidthSpace(QChar(0x200B));
    const QByteArray run(1000, 'x');
    QTextDocument document;
    ReadRtf(document, "{\\rtf1 " + run + " " + run + "\\par " + run.left(300) + "}");
    const QString text = document.toPlainText();
    EXPECT_EQ(QString(text).remove(zeroWidthSpace), QString(run + " " + run + "\n" + run.left(300)));
    const QStringList paragraphs = text.split(u'\n');
    const QStringList runs = paragraphs[0].split(u' ');
    for (const QString &broken : {runs[0], runs[1]}) {
        EXPECT_EQ(broken.indexOf(zeroWidthSpace), 272);
        EXPECT_EQ(broken.count(zeroWidthSpace), 46);
    }
    EXPECT_EQ(paragraphs[1].count(zeroWidthSpace), 2); // after characters 272 and 288
}

TEST(RtfReader, ParagraphPropertiesApplyToTheirParagraph)
{
    QTextDocument document;
    ReadRtf(document, "{\\rtf1\\pard\\qc centred\\par\\qr right\\par\\pard\\qj\\li720\\ri360\\fi-360"
                      "\\sb120\\sa240\\tx1440\\tx2880 just\\par\\pard plain{\\qc\\par}}");
    QTextBlock block = document.begin();
    EXPECT_EQ(block.text(), "centred");
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    block = block.next();
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    block = block.next();
    const QTextBlockFormat just = block.blockFormat();
    EXPECT_EQ(just.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(just.leftMargin(), 48);
    EXPECT_DOUBLE_EQ(just.rightMargin(), 24);
    EXPECT_DOUBLE_EQ(just.textIndent(), -24);
    EXPECT_DOUBLE_EQ(just.topMargin(), 8);
    EXPECT_DOUBLE_EQ(just.bottomMargin(), 16);
    ASSERT_EQ(just.tabPositions().size(), 3);
    EXPECT_DOUBLE_EQ(just.tabPositions()[0].position, 48); // the hanging indent's own stop
    EXPECT_DOUBLE_EQ(just.tabPositions()[2].position, 192);
    block = block.next();
    EXPECT_EQ(block.text(), "plain"); // \qc inside the group ended this paragraph centred
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(block.blockFormat().leftMargin(), 0);
    EXPECT_EQ(block.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST(RtfReader, DefaultTabStopFollowsTheDocument)
{
    QTextDocument document;
    ReadRtf(document, "{\\rtf1\\deftab1440 a\\tab b}");
    EXPECT_DOUBLE_EQ(document.defaultTextOption().tabStopDistance(), 96);
}

TEST(RtfReader, BytesThatAreNotRtfLoadAsWindows1252Text)
{
    EXPECT_EQ(Read("line one\r\nline two \x80 \xB3"),
              QStringLiteral("line one\u2029line two € ³"));
    EXPECT_EQ(Read(" {\\rtf1 x}"), QStringLiteral(" {\\rtf1 x}"));
    EXPECT_EQ(Read(""), QString());
}

TEST(RtfReader, DamagedInputLoadsWhatItCan)
{
    struct Case {
        QByteArray rtf;
        QString text;
    };
    const Case cases[] = {
        {"{\\rtf1 abc{\\b def", "abcdef"},
        {"{\\rtf1 a}b}c", "a"},
        {"{\\rtf1 a}}}}", "a"},
        {"{\\rtf1 a\\", "a"},
        {"{\\rtf1 a\\'4", "a"},
        {"{\\rtf1 a\\u", "a"},
        {"{\\rtf1 a\\bin999999999 bcd}", "a"},
        {"{\\rtf1 a\\bin-5 b}", "ab"},
        // "\\*" marks a destination only where a group starts; elsewhere it marks nothing.
        {"{\\rtf1 {\\b a \\*\\foo b}c}", "a bc"},
        {"{\\rtf1 x{\r\n\\*\\foo y}z}", "xz"},
        {"{\\rtf1 \\u99999999999999999 ?x}", QString(QChar(char16_t(1'000'000'000 % 65536))) + "x"},
        {"{\\rtf1 \\fs-99999999999 \\li99999999999 \\uc999999999 \\u65 bc}", "A"},
        {"{\\rtf1 \\" + QByteArray(5000, 'a') + "99 x}", "x"},
        {"{\\rtf1 " + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " after}",
         "deep after"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Read(c.rtf), c.text) << c.rtf.left(60).constData();
}

TEST(RtfReader, AbsurdSizesAndIndentsAreClamped)
{
    QTextDocument document;
    ReadRtf(document, "{\\rtf1\\fs99999 a\\fs0 b\\li-500 \\fi-99999999 c}");
    EXPECT_EQ(FormatAt(document, 0).fontPointSize(), 500);
    EXPECT_EQ(FormatAt(document, 1).fontPointSize(), 1);
    EXPECT_DOUBLE_EQ(document.begin().blockFormat().leftMargin(), 0);
    EXPECT_DOUBLE_EQ(document.begin().blockFormat().textIndent(), -31680 / 15.0);
}

} // namespace
} // namespace velmaro
