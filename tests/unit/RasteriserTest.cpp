#include "platform/headless/DeviceContext.h"
#include "platform/headless/LineRasteriser.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>
#include <vector>

using namespace platform;

namespace {
using Pixels = std::set<std::pair<int, int>>;
Pixels line(int x0, int y0, int x1, int y1, int w = 100, int h = 100) {
    Pixels out;
    rasteriseLine(x0 + 50, y0 + 50, x1 + 50, y1 + 50, w, h, [&](int x, int y) { out.insert({x - 50, y - 50}); });
    return out;
}
} // namespace

TEST(Rasteriser, FirstPixelInLastPixelOut) {
    EXPECT_EQ(line(0, 0, 3, 0), (Pixels{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(line(3, 0, 0, 0), (Pixels{{3, 0}, {2, 0}, {1, 0}}));
    EXPECT_EQ(line(0, 5, 0, -3).size(), 8u);
    EXPECT_TRUE(line(2, 2, 2, 2).empty());
}

TEST(Rasteriser, DiagonalsAndTies) {
    EXPECT_EQ(line(0, 0, 3, 3), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
    // x-major, exact tie at x = 1 (y = 0.5): the upper pixel wins, whichever way the line runs.
    EXPECT_EQ(line(0, 0, 2, 1), (Pixels{{0, 0}, {1, 0}}));
    EXPECT_EQ(line(2, 1, 0, 0), (Pixels{{2, 1}, {1, 0}}));
    // y-major tie: the left pixel wins.
    EXPECT_EQ(line(0, 0, 1, 2), (Pixels{{0, 0}, {0, 1}}));
    EXPECT_EQ(line(1, 2, 0, 0), (Pixels{{1, 2}, {0, 1}}));
    // Reversed lines light the same inner pixels.
    const Pixels forward = line(-7, 3, 11, -4);
    const Pixels back = line(11, -4, -7, 3);
    Pixels inner1 = forward, inner2 = back;
    inner1.erase({-7, 3});
    inner2.erase({11, -4});
    EXPECT_EQ(inner1, inner2);
}

TEST(Rasteriser, ClippingNeverShiftsPixels) {
    std::vector<std::pair<int, int>> clipped;
    rasteriseLine(-20, -7, 30, 9, 10, 5, [&](int x, int y) { clipped.emplace_back(x, y); });
    Pixels full;
    rasteriseLine(-20, -7, 30, 9, 1000, 1000, [](int, int) {});
    rasteriseLine(-20 + 500, -7 + 500, 30 + 500, 9 + 500, 1000, 1000, [&](int x, int y) {
        full.insert({x - 500, y - 500});
    });
    ASSERT_FALSE(clipped.empty());
    for (auto [x, y] : clipped) {
        EXPECT_TRUE(x >= 0 && x < 10 && y >= 0 && y < 5);
        EXPECT_TRUE(full.contains({x, y})) << x << "," << y;
    }
    // Far-away endpoints do not cost their length.
    int visited = 0;
    rasteriseLine(3, -2000000000, 3, 2000000000, 10, 10, [&](int, int) { ++visited; });
    EXPECT_EQ(visited, 10);
}

TEST(DeviceContext, DrawsWithTheSelectedPenAndRestoresTheOldOne) {
    std::vector<std::uint32_t> pixels(12, 0); // 4 x 3
    SurfaceDeviceContext dc({pixels.data(), 4, 3, 4});
    const PenHandle red = dc.createPen(0, 1, 0x0000FF);
    const PenHandle old = dc.selectObject(red);
    dc.moveToEx(0, 1);
    dc.lineTo(9, 1);                    // clipped at the surface
    EXPECT_FALSE(dc.deleteObject(red)); // still selected
    EXPECT_EQ(dc.selectObject(old), red);
    EXPECT_TRUE(dc.deleteObject(red));
    EXPECT_EQ(dc.livePens(), 0);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(pixels[4 + x], 0xFFFF0000u);
        EXPECT_EQ(pixels[x], 0u);
    }
    dc.moveToEx(0, 0);
    dc.lineTo(0, 3); // the stock pen is black
    dc.flush();
    EXPECT_EQ(pixels[0], 0xFF000000u);
}

// The rasteriser follows the minor coordinate step by step; the rule it follows is a closed formula. Both must agree
// on every line, clipped or not.
TEST(Rasteriser, IncrementalWalkMatchesTheNearestPixelRule) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-40, 80);
    for (int i = 0; i < 3000; ++i) {
        const int x0 = coordinate(random), y0 = coordinate(random), x1 = coordinate(random), y1 = coordinate(random);
        Pixels walked;
        rasteriseLine(x0, y0, x1, y1, 50, 30, [&](int x, int y) { walked.insert({x, y}); });
        Pixels expected;
        const long dx = x1 - x0, dy = y1 - y0;
        const bool yMajor = std::labs(dy) >= std::labs(dx);
        const long steps = yMajor ? std::labs(dy) : std::labs(dx);
        for (long t = 0; t < steps; ++t) {
            const double exact = (yMajor ? x0 : y0) + static_cast<double>(t) * static_cast<double>(yMajor ? dx : dy) /
                                                          static_cast<double>(steps);
            const long minor = static_cast<long>(std::ceil(exact - 0.5)); // ties to the smaller
            const long major = (yMajor ? y0 : x0) + ((yMajor ? dy : dx) > 0 ? t : -t);
            const long x = yMajor ? minor : major, y = yMajor ? major : minor;
            if (x >= 0 && x < 50 && y >= 0 && y < 30) {
                expected.insert({static_cast<int>(x), static_cast<int>(y)});
            }
        }
        ASSERT_EQ(walked, expected) << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}

// Vertical lines are held back and written row by row; the image must end up exactly as if every line had been
// drawn at once, in order, whatever the lines' lengths, overlaps and the other lines between them.
TEST(DeviceContext, HeldBackVerticalLinesEndUpAsIfDrawnInOrder) {
    std::mt19937 random(11);
    const int w = 40, h = 30;
    for (int round = 0; round < 40; ++round) {
        const auto size = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
        std::vector<std::uint32_t> batched(size, 0), direct(size, 0);
        SurfaceDeviceContext dc({batched.data(), w, h, w});
        const bool uniform = round % 2 == 0;
        std::uniform_int_distribution<int> coordinate(-5, 45);
        // Enough lines to fill the batch more than once.
        const int lines = static_cast<int>(2 * SurfaceDeviceContext::BatchLines) + 300;
        for (int i = 0; i < lines; ++i) {
            const auto colour = static_cast<std::int32_t>(random() & 0xFFFFFF);
            const PenHandle pen = dc.createPen(0, 1, colour);
            const PenHandle old = dc.selectObject(pen);
            int x0 = coordinate(random), y0 = coordinate(random), x1 = x0, y1 = coordinate(random);
            if (uniform) {
                x0 = x1 = i % 50 - 5; // a sweep: consecutive columns, every line the same rows, overlapping
                y0 = 35;
                y1 = -4;
            } else if (i % 7 == 0) {
                x1 = coordinate(random); // now and then a line of another kind
            }
            dc.moveToEx(x0, y0);
            dc.lineTo(x1, y1);
            rasteriseLine(x0, y0, x1, y1, w, h, [&](int x, int y) {
                direct.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)) =
                    pixelFromColour(colour);
            });
            dc.deleteObject(dc.selectObject(old));
        }
        dc.flush();
        ASSERT_EQ(batched, direct) << "round " << round;
    }
}
