#include "text/Windows1252Text.h"

#include <gtest/gtest.h>

#include <string>

namespace velmaro {
namespace {

// Text that is not UTF-8 is read as Windows-1252: what counts as UTF-8 decides which files are.
TEST(Windows1252Text, TellsUtf8FromOtherBytes)
{
    const std::pair<std::string, bool> cases[] = {
        {"Zeit;H\xC3\xB6he \xE2\x82\xAC \xF0\x9F\x8C\xA7", true},
        {"H\xF6he", false},          // Windows-1252 ö
        {"\xC0\xAF", false},         // overlong "/"
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xF4\x90\x80\x80", false}, // past U+10FFFF
        {"\xC3", false},             // cut short
    };
    for (const auto &[bytes, utf8] : cases)
        EXPECT_EQ(IsUtf8(bytes), utf8) << bytes;
}

TEST(Windows1252Text, DecodesTheWholeCodePage)
{
    EXPECT_EQ(Windows1252ToUtf8("H\xF6he \x80 \x96 \x81"), "H\xC3\xB6he \xE2\x82\xAC \xE2\x80\x93 \xC2\x81");
    EXPECT_TRUE(IsUtf8(Windows1252ToUtf8(std::string("\x00\x7F\x80\x9F\xA0\xFF", 6))));
}

} // namespace
} // namespace velmaro
