#include "app/ui_scale.h"

#include <gtest/gtest.h>

TEST(UiScale, ShrinksToFitAScreenOf600RowsLessTheReserve) {
    // 1024 x 600 at 96 dpi: the width fits, the height less 72 does not: 528 / 600.
    EXPECT_DOUBLE_EQ(ComputeUiScale(96, 1024, 600), 0.88);
}

TEST(UiScale, FollowsTheDpiWhenTheScreenIsLargeEnough) {
    EXPECT_DOUBLE_EQ(ComputeUiScale(120, 1280, 1024), 1.25);
}

TEST(UiScale, ReserveIsScaledWithTheDpiNotWithTheWidthLimitedFactor) {
    // 144 dpi (1.5) on 1000 x 900: width limits to 1.25; the reserve is 72 x 1.5 = 108, so the
    // height limit is (900 - 108) / 600 = 1.32, above 1.25: the width limit stands.
    EXPECT_DOUBLE_EQ(ComputeUiScale(144, 1000, 900), 1.25);
    // 144 dpi on 1000 x 800: (800 - 108) / 600 = 1.1533..., below the width limit.
    EXPECT_DOUBLE_EQ(ComputeUiScale(144, 1000, 800), (800 - 108) / 600.0);
}
