#include "platform/win32/text.h"

#include <gtest/gtest.h>

namespace {

struct text_case {
    const char* label;
    std::string utf8;
    std::u16string utf16;
};

TEST(Text, ValidTextRoundTrips)
{
    const text_case cases[] = {
        {"empty", "", u""},
        {"ascii", "Domain Users", u"Domain Users"},
        {"latin-1",
         "Gr\xC3\xBC\xC3\x9F"
         "e",
         u"Gr\u00FC\u00DFe"},
        {"cjk", "\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
        {"astral (surrogate pair)", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"embedded NUL", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win32::utf8_to_utf16(c.utf8), c.utf16) << c.label;
        EXPECT_EQ(win32::utf16_to_utf8(c.utf16), c.utf8) << c.label;
    }
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters)
{
    const struct {
        const char* label;
        std::string utf8;
        std::u16string expected;
    } cases[] = {
        {"stray continuation byte",
         "a\x80"
         "b",
         u"a\uFFFDb"},
        {"truncated sequence at end", "a\xE4\xB8", u"a\uFFFD"},
        {"truncated sequence before ASCII",
         "\xE4"
         "z",
         u"\uFFFDz"},
        {"overlong encoding", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(win32::utf8_to_utf16(c.utf8), c.expected) << c.label;
}

TEST(Text, LoneSurrogatesBecomeReplacementCharacters)
{
    EXPECT_EQ(win32::utf16_to_utf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(win32::utf16_to_utf8(u"x" + std::u16string(1, char16_t(0xDC00))), "x\xEF\xBF\xBD");
}

TEST(Text, GlobalNamesAreTheSameFunctions)
{
    EXPECT_EQ(utf8_to_utf16("abc"), u"abc");
    EXPECT_EQ(utf16_to_utf8(u"abc"), "abc");
}

} // namespace
