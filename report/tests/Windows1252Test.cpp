#include "report/Windows1252.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

TEST(Windows1252, HighControlRangeUsesTheCodePageTable)
{
    struct Case {
        unsigned char byte;
        char16_t unit;
    };
    const Case cases[] = {{0x80, 0x20AC}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x91, 0x2018},
                          {0x96, 0x2013}, {0x99, 0x2122}, {0x9F, 0x0178}, {0x81, 0x0081},
                          {0x9D, 0x009D}, {0xB2, 0x00B2}, {0xB3, 0x00B3}, {0xE9, 0x00E9},
                          {0x41, 0x0041}};
    for (const Case &c : cases) {
        EXPECT_EQ(Windows1252ToChar(c.byte).unicode(), c.unit) << int(c.byte);
        EXPECT_EQ(ToWindows1252(QString(QChar(c.unit))), QByteArray(1, char(c.byte))) << int(c.byte);
    }
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
}

TEST(Windows1252, UnitNamesAndUnmappableCharacters)
{
    EXPECT_EQ(ToWindows1252(QStringLiteral("km² m³/s")), QByteArray("km\xB2 m\xB3/s"));
    EXPECT_EQ(ToWindows1252(QStringLiteral("Ω \U0001F600 €")), QByteArray("? ? \x80"));
    EXPECT_EQ(ToWindows1252(QString(QChar(0x0080))), QByteArray("?"));
    EXPECT_EQ(FromWindows1252("m\xB3/s"), QStringLiteral("m³/s"));
}

} // namespace
} // namespace velmaro
