#include "collector/ca_string.h"

#include <gtest/gtest.h>

namespace {

TEST(CAString, ConstructionAndAssignment)
{
    EXPECT_EQ(CAString().str(), u"");
    EXPECT_EQ(CAString(3, u'x').str(), u"xxx");
    EXPECT_EQ(CAString(static_cast<const WCHAR*>(nullptr)).str(), u"");

    CAString s(u"abcdef");
    s = static_cast<const WCHAR*>(s) + 2; // a pointer into its own text
    EXPECT_EQ(s.str(), u"cdef");
    s = static_cast<const WCHAR*>(s); // its own start: nothing changes
    EXPECT_EQ(s.str(), u"cdef");
    s = static_cast<const WCHAR*>(nullptr);
    EXPECT_TRUE(s.empty());
}

TEST(CAString, FormatCases)
{
    struct Case {
        const char16_t* expected;
        CAString actual;
    };
    const auto fmt = [](const WCHAR* format, auto... args) {
        CAString s(u"old");
        EXPECT_TRUE(s.Format(format, args...));
        return s;
    };
    const Case cases[] = {
        {u"plain", fmt(u"plain")},
        {u"Collection of domain \"d\" failed due to the following reason: e\r\n",
         fmt(u"Collection of domain \"%s\" failed due to the following reason: %s", u"d", u"e\r\n")},
        {u"(&(objectClass=Computer)(cn=EX1))", fmt(u"(&(objectClass=Computer)(cn=%s))", u"EX1")},
        {u"-42 7 ff FF 100%", fmt(u"%d %u %x %X 100%%", -42, 7u, 255u, 255u)},
        {u"  5|5  |005", fmt(u"%3d|%-3d|%03d", 5, 5, 5)},
        {u"(null)", fmt(u"%s", static_cast<const WCHAR*>(nullptr))},
        {u"", fmt(u"")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(c.expected)));
        EXPECT_EQ(c.actual.str(), c.expected);
    }
}

TEST(CAString, FormatKeepsLongTextWhole)
{
    // Longer than the first 256-character buffer: the whole text is still there.
    const std::u16string long_text(300, u'a');
    CAString s;
    s.Format(u"%s!", long_text.c_str());
    EXPECT_EQ(s.str(), long_text + u"!");
    const std::u16string longer(5000, u'b');
    s.Format(u"%s", longer.c_str());
    EXPECT_EQ(s.length(), 5000u);
}

} // namespace
