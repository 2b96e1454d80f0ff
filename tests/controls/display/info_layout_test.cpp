#include "controls/display/info_layout.h"

#include <gtest/gtest.h>

namespace {

using info_layout::arrange_value;
using info_layout::grown_height;
using info_layout::line_top;

constexpr double px = 15;

TEST(InfoLayout, LinesStandOnePointThreeLineHeightsApartInDoublePrecision)
{
    struct Case {
        int line;
        double top;
    };
    for (const Case c : {Case{1, 645}, Case{2, 937.5}, Case{3, 1230}, Case{4, 1522.5}, Case{10, 3277.5}})
        EXPECT_DOUBLE_EQ(line_top(225, 420, c.line), c.top) << c.line;
    // With an odd line height the products are not rounded to single precision first.
    EXPECT_DOUBLE_EQ(line_top(221, 417, 3), 221 + 417 + 2 * 221 * 1.3);
}

TEST(InfoLayout, PanelGrowsOnlyWhenTheLineReachesItsBottomMargin)
{
    // A panel 1665 high: lines 1 to 3 fit, line 4 grows it to its bottom + 5 px.
    for (int line = 1; line <= 3; ++line)
        EXPECT_FALSE(grown_height(line_top(225, 420, line), 225, 1665, px)) << line;
    const auto grown = grown_height(line_top(225, 420, 4), 225, 1665, px);
    ASSERT_TRUE(grown);
    EXPECT_FLOAT_EQ(*grown, 1822.5f);
    // A bottom exactly on the margin fits; a cleared panel (height 0) grows with any line.
    EXPECT_FALSE(grown_height(1365, 225, 1665, px));
    EXPECT_FLOAT_EQ(*grown_height(645, 225, 0, px), 945.f);
}

TEST(InfoLayout, ArrangeValueEdgeNumbers)
{
    // A 5655-twip line, value at 2070, link 690 wide: room = 5655 - 2070 - 45 = 3540.
    struct Case {
        const char* what;
        float line_width, needed;
        std::optional<float> value_width, link_left;
        std::optional<bool> link_visible;
    };
    const Case cases[] = {
        {"value fits exactly", 5655, 3540, 3540.f, std::nullopt, false},
        {"value fits", 5655, 100, 3540.f, std::nullopt, false},
        {"value one twip too wide", 5655, 3541, 2760.f, 4875.f, true},
        {"room just wider than the link", 2070 + 45 + 691, 5000, std::nullopt, 2070 + 1 - 45 + 0.f, true},
        {"room 6 px wider than the link", 2070 + 45 + 780, 5000, 0.f, 2070 + 90 - 45 + 0.f, true},
        {"room exactly the link's width", 2070 + 45 + 690, 5000, 0.f, 2070.f, true},
        {"room of one twip", 2070 + 46, 5000, 0.f, 2070.f, true},
        {"no room", 2070 + 45, 5000, std::nullopt, std::nullopt, std::nullopt},
        {"negative room", 1000, 5000, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto a = arrange_value(c.line_width, 2070, 690, c.needed, px);
        EXPECT_EQ(a.value_width, c.value_width) << c.what;
        EXPECT_EQ(a.link_left, c.link_left) << c.what;
        EXPECT_EQ(a.link_visible, c.link_visible) << c.what;
    }
    // A value of several lines that would fit on one is still cut before the link.
    const auto a = arrange_value(5655, 2070, 690, 600, px, true);
    EXPECT_EQ(a.value_width, 2760.f);
    EXPECT_EQ(a.link_left, 4875.f);
    EXPECT_EQ(a.link_visible, true);
}

} // namespace
