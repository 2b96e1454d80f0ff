#include "controls/display/up_down_rules.h"

#include "platform/forms/core/conversions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(UpDownRules, ArrowStepsWrapAndClamp)
{
    struct Case {
        const char* what;
        std::int32_t value, min, max, increment;
        bool wrap, up;
        std::int32_t expected;
    };
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    const Case cases[] = {
        {"up inside", 3, 0, 10, 1, false, true, 4},
        {"up at max", 10, 0, 10, 1, false, true, 10},
        {"up at max wraps", 10, 0, 10, 1, true, true, 0},
        {"up near max clamps", 9, 0, 10, 5, false, true, 10},
        {"up near max clamps even with wrap", 9, 0, 10, 5, true, true, 10},
        {"down inside", 3, 0, 10, 2, false, false, 1},
        {"down at min", 0, 0, 10, 1, false, false, 0},
        {"down at min wraps", 0, 0, 10, 1, true, false, 10},
        {"down near min clamps", 1, -5, 10, 50, false, false, -5},
        {"up near the largest number", big - 1, 0, big, 100, false, true, big},
        {"down near the smallest number", -big, -big - 1, 0, 100, false, false, -big - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(up_down::stepped(c.value, c.min, c.max, c.increment, c.wrap, c.up), c.expected) << c.what;
}

TEST(UpDownRules, TextCheckAndRoundingHalfToEven)
{
    struct Case {
        const char* typed;
        const char* text;
        std::int32_t value;
    };
    // Range 0..10, current value 5.
    const Case cases[] = {
        {" 7 ", " 7 ", 7}, // kept as typed
        {"10", "10", 10},  // at Max: rewritten as Max
        {"12", "10", 10},   {"0", "0", 0},
        {"-3", "0", 0},     {"abc", "5", 5}, // not a number: the current value
        {"", "5", 5},       {"3.5", "3.5", 4},
        {"2.5", "2.5", 2},  {"0.5", "0.5", 0}, // above Min; the half goes to the even 0
        {"-0.5", "0", 0},                      // at or below Min, compared on the number typed
        {"9.5", "9.5", 10}, {"1e1", "10", 10},
    };
    for (const Case& c : cases) {
        const QString text = up_down::checked_text(QString::fromLatin1(c.typed), 5, 0, 10);
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.typed;
        EXPECT_EQ(forms::CLng(text), c.value) << c.typed;
    }
}

TEST(UpDownRules, MaxLengthTakesTheLongerEnd)
{
    struct Case {
        std::int32_t min, max;
        int expected;
    };
    for (const Case c :
         {Case{0, 1000, 4}, Case{-100, 10, 4}, Case{-5, -5, 2}, Case{0, 10, 2}, Case{-2147483647 - 1, 0, 11}})
        EXPECT_EQ(up_down::max_length(c.min, c.max), c.expected) << c.min << ".." << c.max;
}

} // namespace
