// The arithmetic of the themes panel that the window tests cannot read off the screen at every
// scale: the selection bar's buttons, the list's arrow step and height, and the in-use box's row
// of cursors.
#include <gtest/gtest.h>

#include <vector>

#include "ui/panels/theme_list_layout.h"

namespace {

struct Expected {
    int commandId, x, y, size;
};

void ExpectButtons(const ThemeBarLayout& layout, const std::vector<Expected>& expected) {
    ASSERT_EQ(expected.size(), static_cast<size_t>(ThemeBarLayout::kButtons));
    for (int i = 0; i < ThemeBarLayout::kButtons; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(layout.buttons[i].commandId, expected[i].commandId);
        EXPECT_EQ(layout.buttons[i].x, expected[i].x);
        EXPECT_EQ(layout.buttons[i].y, expected[i].y);
        EXPECT_EQ(layout.buttons[i].size, expected[i].size);
    }
}

TEST(ThemeBarLayout, AtScaleOneTheButtonsSitAtTheirDesignPlacesOnA498PixelBar) {
    const ThemeBarLayout layout = ComputeThemeBarLayout(1.0);
    EXPECT_EQ(layout.rowWidth, 498);
    EXPECT_EQ(layout.barWidth, 498);
    ExpectButtons(layout, {{6, 360, 5, 20}, {5, 380, 5, 20}, {44, 415, 8, 15}, {8, 431, 8, 15}, {50, 447, 8, 15}});
}

TEST(ThemeBarLayout, AtOtherScalesEachTermIsTruncatedOnItsOwn) {
    // s = 0.88 (a 1024 x 600 screen): 20·s -> 17 and 15·s -> 13; the details button is at
    // trunc(-17 x 4 x 1.1) - trunc(13 x 4 x 1.1) + (704 - 14 - 220 - 14 - 3 + 1) = -74 - 57 + 454.
    const ThemeBarLayout small = ComputeThemeBarLayout(0.88);
    EXPECT_EQ(small.rowWidth, 704 - 220 - 3 - 28 - 14 + 1);
    ExpectButtons(small, {{6, 323, 4, 17}, {5, 340, 4, 17}, {44, 369, 7, 13}, {8, 383, 7, 13}, {50, 397, 7, 13}});
    // At s = 0.97 the bar's two 16·s margins truncate apart (15 + 15) while the row's 32·s does
    // not (31): the bar is one pixel wider than a row.
    const ThemeBarLayout odd = ComputeThemeBarLayout(0.97);
    EXPECT_EQ(odd.barWidth, odd.rowWidth + 1);
    EXPECT_EQ(odd.buttons[0].x, 357);
    EXPECT_EQ(odd.buttons[2].x, 409);
}

TEST(ThemeListArithmetic, ArrowStepAndViewportHeight) {
    // ((300 - 18 - 48) / 6) / 2 = 19; an empty library counts as one record.
    EXPECT_EQ(ThemeListArrowStep(300, 48, 6, 1.0), 19);
    EXPECT_EQ(ThemeListArrowStep(300, 48, 0, 1.0), 117);
    // The 18 scales with the window: at s = 1.5, 27.
    EXPECT_EQ(ThemeListArrowStep(450, 72, 1, 1.5), (450 - 27 - 72) / 2);
    EXPECT_EQ(ThemeListArrowStep(300, 48, 500, 1.0), 1);
    // Whole rows only, at least one.
    EXPECT_EQ(ThemeListViewportHeight(326, 50), 300);
    EXPECT_EQ(ThemeListViewportHeight(350, 50), 350);
    EXPECT_EQ(ThemeListViewportHeight(20, 50), 50);
}

TEST(PlaceInUseCursors, SideBySideFromEightCentredAndStoppingAtTheFirstThatWouldNotFit) {
    const std::vector<BoxSize> sizes = {{40, 46}, {30, 20}, {60, 50}, {30, 30}};
    const auto places = PlaceInUseCursors(sizes, 150, 50, 1.0);
    // The third ends at 86 + 60 = 146, inside; the fourth would end at 150 + 30.
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0].x, 8);
    EXPECT_EQ(places[0].y, 2);  // (50 - 46) / 2
    EXPECT_EQ(places[1].x, 8 + 40 + 4);
    EXPECT_EQ(places[1].y, 15);
    EXPECT_EQ(places[2].x, 52 + 30 + 4);
    EXPECT_EQ(places[2].y, 2);  // as tall as the box: kept 2 below its top
    // A picture taller than the box is never placed above y = 2.
    const auto tall = PlaceInUseCursors({{10, 60}}, 100, 50, 1.0);
    ASSERT_EQ(tall.size(), 1u);
    EXPECT_EQ(tall[0].y, 2);
    // Once one does not fit, none after it is placed, even a narrow one.
    EXPECT_EQ(PlaceInUseCursors({{100, 10}, {5, 5}}, 90, 50, 1.0).size(), 0u);
    // The gap scales: at s = 2 it is 8.
    EXPECT_EQ(PlaceInUseCursors({{10, 10}, {10, 10}}, 200, 50, 2.0)[1].x, 8 + 10 + 8);
}

}  // namespace
