#include "platform/forms/core/conversions.h"
#include "platform/forms/core/vb_error.h"

#include "tests/platform/forms/error_number.h"

#include <gtest/gtest.h>

#include <optional>

using namespace forms;

TEST(Conversions, CIntAndCLngRoundHalfToEven)
{
    struct Case {
        QVariant in;
        int32_t expected;
    };
    const Case cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.51, 3},
        {2.49, 2},
        {QStringLiteral(" 3.5 "), 4},
        {QStringLiteral("&HFF"), 255},
        {QStringLiteral("&HFFFF"), -1},
        {true, -1},
        {false, 0},
        {QVariant(), 0},
        {QStringLiteral("True"), -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CLng(c.in), c.expected) << c.in.toString().toStdString();
        EXPECT_EQ(CInt(c.in), c.expected) << c.in.toString().toStdString();
    }
}

TEST(Conversions, OverflowIsSixAndTypeMismatchIsThirteen)
{
    EXPECT_EQ(error_of([] { CInt(32767.5); }), 6);  // rounds to 32768
    EXPECT_EQ(error_of([] { CInt(-32768.5); }), 0); // rounds to -32768 (even)
    EXPECT_EQ(error_of([] { CInt(40000); }), 6);
    EXPECT_EQ(error_of([] { CLng(2147483647.5); }), 6);
    EXPECT_EQ(error_of([] { CLng(QStringLiteral("2147483648")); }), 6);
    EXPECT_EQ(error_of([] { CByte(-1); }), 6);
    EXPECT_EQ(error_of([] { CLng(QStringLiteral("12abc")); }), 13);
    EXPECT_EQ(error_of([] { CLng(QStringLiteral("")); }), 13);
    EXPECT_EQ(error_of([] { CDbl(QVariant(QStringList{})); }), 13);
    EXPECT_EQ(error_of([] { CBool(QStringLiteral("maybe")); }), 13);
    EXPECT_EQ(standard_description(6).toStdString(), "Overflow");
    EXPECT_EQ(standard_description(13).toStdString(), "Type mismatch");
}

TEST(Conversions, CBoolAndCStr)
{
    EXPECT_TRUE(CBool(QStringLiteral("true")));
    EXPECT_TRUE(CBool(QStringLiteral("-1")));
    EXPECT_FALSE(CBool(0.0));
    EXPECT_TRUE(CBool(0.1));
    EXPECT_EQ(CStr(true).toStdString(), "True");
    EXPECT_EQ(CStr(false).toStdString(), "False");
    EXPECT_EQ(CStr(42).toStdString(), "42");
    EXPECT_EQ(CStr(0.1).toStdString(), "0.1");
    EXPECT_EQ(CStr(QVariant()).toStdString(), "");
    EXPECT_TRUE(IsNumeric(QStringLiteral(" 1e3")));
    EXPECT_FALSE(IsNumeric(QStringLiteral("1e3x")));
}

TEST(VbErrors, StandardDescriptionsAndRaise)
{
    const std::pair<int, const char*> texts[] = {
        {5, "Invalid procedure call or argument"},
        {9, "Subscript out of range"},
        {91, "Object variable or With block variable not set"},
        {380, "Invalid property value"},
        {398, "Client site not available"},
        {438, "Object doesn't support this property or method"},
        {457, "This key is already associated with an element of this collection"},
        {31999, "Application-defined or object-defined error"},
    };
    for (const auto& [number, text] : texts)
        EXPECT_EQ(standard_description(number).toStdString(), text) << number;
    try {
        raise(380, QStringLiteral("Ctl::Max (Let)"));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 380);
        EXPECT_EQ(e.source().toStdString(), "Ctl::Max (Let)");
        EXPECT_EQ(e.description().toStdString(), "Invalid property value");
        EXPECT_STREQ(e.what(), "Invalid property value");
    }
    VbError own(1000, {}, QStringLiteral("own text"));
    EXPECT_EQ(own.description().toStdString(), "own text");
}
