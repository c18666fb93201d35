#include "skin/arrows/ArrowPicture.h"

#include <gtest/gtest.h>

using skin::ArrowDirection;

namespace {
// Arrow pixels in a row of the up arrow, counted from the tip.
int filledInRow(const skin::ArrowPixels& p, int row) {
    int n = 0;
    for (int x = 0; x < p.width; ++x) {
        n += p.at(x, row) == 0 ? 1 : 0;
    }
    return n;
}
} // namespace

TEST(ArrowPicture, UpArrowFollowsTheTriangleRule) {
    const auto up = skin::arrowPixels(ArrowDirection::Up);
    ASSERT_EQ(up.width, 20);
    ASSERT_EQ(up.height, 11);
    // A two-pixel tip, widening by one pixel each side per row, and a base two rows thick across the picture.
    for (int row = 0; row < 9; ++row) {
        EXPECT_EQ(filledInRow(up, row), 2 + 2 * row) << row;
    }
    EXPECT_EQ(filledInRow(up, 9), 20);
    EXPECT_EQ(filledInRow(up, 10), 20);
    EXPECT_EQ(up.at(9, 0), 0);
    EXPECT_EQ(up.at(10, 0), 0);
    EXPECT_EQ(up.at(8, 0), 1);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(up.at(x, y), up.at(19 - x, y)) << "symmetric about the middle";
        }
    }
}

TEST(ArrowPicture, OtherDirectionsAreTheUpArrowTurned) {
    const auto up = skin::arrowPixels(ArrowDirection::Up);
    const auto down = skin::arrowPixels(ArrowDirection::Down);
    const auto left = skin::arrowPixels(ArrowDirection::Left);
    const auto right = skin::arrowPixels(ArrowDirection::Right);
    ASSERT_EQ(left.width, 11);
    ASSERT_EQ(left.height, 20);
    ASSERT_EQ(right.width, 11);
    ASSERT_EQ(right.height, 20);
    for (int a = 0; a < 20; ++a) {
        for (int d = 0; d < 11; ++d) {
            EXPECT_EQ(down.at(a, 10 - d), up.at(a, d));
            EXPECT_EQ(left.at(d, a), up.at(a, d));
            EXPECT_EQ(right.at(10 - d, a), up.at(a, d));
        }
    }
}
