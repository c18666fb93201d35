#include "platform/headless/Conversions.h"
#include "platform/headless/RuntimeError.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace platform;

namespace {
int overflowNumber(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}
} // namespace

TEST(Conversions, RoundHalvesToEven) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(-3.5), -4);
    EXPECT_EQ(toInt16(2.4999), 2);
    EXPECT_EQ(toInt16(2.5001), 3);
    EXPECT_EQ(toInt32(1e9 + 0.5), 1000000000);
    EXPECT_EQ(toInt32(-0.5), 0);
}

TEST(Conversions, RoundingAgreesWithTheRoundingModeEverywhere) {
    for (double v : {0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 0.49999999999999994, 1e15 + 0.5, 1e15 + 1.5, -1e15 - 0.5,
                     2251799813685248.5, 4503599627370495.5, 4503599627370497.0, 1e300, -1e-300, 123456.75}) {
        EXPECT_EQ(roundHalfEven(v), std::nearbyint(v)) << v;
    }
}

TEST(Conversions, SixteenBitRangeEdges) {
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768); // the half rounds to the even -32768
    EXPECT_EQ(overflowNumber([] { toInt16(32767.5); }), err::Overflow);
    EXPECT_EQ(overflowNumber([] { toInt16(-32768.51); }), err::Overflow);
    EXPECT_EQ(overflowNumber([] { toInt16(std::numeric_limits<double>::quiet_NaN()); }), err::Overflow);
    EXPECT_EQ(overflowNumber([] { toInt32(2147483647.5); }), err::Overflow);
    EXPECT_EQ(toInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
}

TEST(Conversions, OverflowCarriesRuntimeText) {
    try {
        toInt16(1e6);
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(unhandledErrorText(e), "Run-time error '6':\n\nOverflow");
    }
}

TEST(Conversions, IntegerDivisionRoundsOperandsThenTruncates) {
    EXPECT_EQ(intDivide(2.5, 1), 2);
    EXPECT_EQ(intDivide(3.5, 1), 4);
    EXPECT_EQ(intDivide(-7, 2), -3);
    EXPECT_EQ(intDivide(4695, 2), 2347);
    EXPECT_EQ(intDivide(4695, 3) + intDivide(4695, 2), 3912);
    EXPECT_EQ(intDivide(3555, 6), 592);
    EXPECT_EQ(overflowNumber([] { intDivide(1, 0); }), 11);
    EXPECT_EQ(overflowNumber([] { intDivide(-2147483648.0, -1); }), err::Overflow);
}

TEST(Conversions, SixteenBitArithmeticOverflows) {
    EXPECT_EQ(sub16(3912, 2347), 1565);
    EXPECT_EQ(overflowNumber([] { sub16(-32768, 1); }), err::Overflow);
    EXPECT_EQ(overflowNumber([] { sub16(32767, -1); }), err::Overflow);
}

// A value held in single precision keeps 24 bits: twips beyond 2^24 lose their odd units, halves to even.
TEST(Conversions, SinglePrecisionKeepsTwentyFourBits) {
    EXPECT_EQ(single(16777217.0), 16777216.0f);
    EXPECT_EQ(single(16777219.0), 16777220.0f);
    EXPECT_EQ(single(6000.0 - 3555.0 + 100.0), 2545.0f);
}
