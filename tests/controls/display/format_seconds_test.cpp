#include "controls/display/miscellaneous.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

struct Case {
    float seconds;
    const char* text;
};

class FormatSecondsTest : public ::testing::TestWithParam<Case> {};

TEST_P(FormatSecondsTest, WritesHoursMinutesSeconds)
{
    EXPECT_EQ(FormatSeconds(GetParam().seconds).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Times, FormatSecondsTest,
                         ::testing::Values(Case{0, "00:00:00"}, Case{3725, "01:02:05"},
                                           // the hours wrap at 24
                                           Case{25 * 3600 + 61, "01:01:01"}, Case{89.5f, "00:01:30"},
                                           // the rounded-up minute is carried, never shown as zero
                                           Case{59.5f, "00:01:00"}, Case{3599.6f, "01:00:00"},
                                           // halves go to the even number
                                           Case{0.5f, "00:00:00"}, Case{2.5f, "00:00:02"}, Case{3.5f, "00:00:04"},
                                           Case{-5, "-00:00:05"}, Case{-0.2f, "00:00:00"},
                                           Case{std::numeric_limits<float>::infinity(), "--:--:--"},
                                           Case{std::numeric_limits<float>::quiet_NaN(), "--:--:--"}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "case" + std::to_string(info.index);
                         });

} // namespace
