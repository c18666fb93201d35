#include "platform/headless/Region.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
std::vector<std::uint8_t> header(std::int32_t size, std::int32_t count) {
    std::vector<std::uint8_t> bytes = regionBytes({});
    auto put = [&](std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
        }
    };
    put(0, size);
    put(8, count);
    return bytes;
}
} // namespace

TEST(Region, RoundTripsRectangles) {
    const std::vector<Rect> rects{{0, 0, 10, 5}, {2, 5, 8, 9}};
    const auto region = extCreateRegion(regionBytes(rects));
    ASSERT_TRUE(region);
    EXPECT_EQ(region->rects, rects);
    EXPECT_TRUE(region->contains(0, 0));
    EXPECT_FALSE(region->contains(10, 0)); // right edge exclusive
    EXPECT_FALSE(region->contains(1, 6));
}

TEST(Region, InvalidStructuresGiveNoRegion) {
    EXPECT_FALSE(extCreateRegion({}));
    EXPECT_FALSE(extCreateRegion(std::vector<std::uint8_t>(31, 0))); // shorter than the header
    EXPECT_FALSE(extCreateRegion(header(31, 0)));                    // dwSize below 32
    EXPECT_FALSE(extCreateRegion(header(32, 1)));                    // rectangle does not fit
    EXPECT_FALSE(extCreateRegion(header(32, -1)));                   // a count no memory could hold
    EXPECT_FALSE(extCreateRegion(header(32, 0x10000000)));
}

TEST(Region, AcceptsWhatThePlatformAccepts) {
    const auto empty = extCreateRegion(header(32, 0));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->rects.empty());

    auto bytes = regionBytes({{1, 1, 3, 3}});
    bytes[4] = 99;         // iType is ignored
    bytes[12] = 7;         // so is nRgnSize
    bytes[16] = 50;        // and the bound does not clip
    bytes.push_back(0xAB); // trailing bytes are accepted
    const auto region = extCreateRegion(bytes);
    ASSERT_TRUE(region);
    EXPECT_EQ(region->rects, (std::vector<Rect>{{1, 1, 3, 3}}));
    EXPECT_TRUE(extCreateRegion(header(64, 0))); // a larger dwSize is accepted
}

TEST(Region, SkipsEmptyRectanglesAndClampsWildCoordinates) {
    const auto region = extCreateRegion(regionBytes({{5, 0, 5, 10}, {0, 4, 10, 4}, {8, 0, 2, 3}, {0, 0, 2, 2}}));
    ASSERT_TRUE(region);
    EXPECT_EQ(region->rects, (std::vector<Rect>{{0, 0, 2, 2}}));

    const auto wild = extCreateRegion(regionBytes({{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}}));
    ASSERT_TRUE(wild);
    EXPECT_EQ(wild->rects[0],
              (Rect{-MaxRegionCoordinate, -MaxRegionCoordinate, MaxRegionCoordinate, MaxRegionCoordinate}));
}

TEST(Region, RoundRectangleCornersAreCut) {
    const Region r = createRoundRectRgn(0, 0, 100, 40, 20, 20);
    EXPECT_FALSE(r.contains(0, 0));
    EXPECT_FALSE(r.contains(99, 39));
    EXPECT_TRUE(r.contains(50, 0)); // edges stay straight between the corners
    EXPECT_TRUE(r.contains(0, 20));
    EXPECT_TRUE(r.contains(10, 10)); // the corner ellipse's centre
    EXPECT_TRUE(r.contains(99, 20));

    // A larger ellipse cuts deeper; corners symmetric left to right and top to bottom.
    const Region big = createRoundRectRgn(0, 0, 100, 40, 40, 40);
    EXPECT_FALSE(big.contains(3, 3));
    EXPECT_TRUE(r.contains(3, 3));
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 100; ++x) {
            ASSERT_EQ(big.contains(x, y), big.contains(99 - x, 39 - y)) << x << "," << y;
        }
    }
    EXPECT_TRUE(createRoundRectRgn(0, 0, 0, 10, 5, 5).rects.empty());
}
