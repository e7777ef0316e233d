#include "player/volume_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(VolumeText, TwoDecimalsWithTheSignOfTheValue) {
    struct Case {
        double decibels;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0.00"},
        {-6.5, "-6.50"},
        {-100, "-100.00"},
        {-0.5, "-0.50"},
        {0.05, "0.05"},
        {-0.004, "-0.00"},
        {-99.99, "-99.99"},
        {12.345678, "12.35"},
        {-0.0, "0.00"},
        {1, "1.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.decibels);
        EXPECT_EQ(plv_duskward::volume_text(c.decibels).view(), c.expected);
    }
}

// Near a half hundredth, every build must round as one double multiplication and one double
// addition do: the 32-bit build with x87 arithmetic keeps wider intermediates and would round these
// down.
TEST(VolumeText, HalfHundredthsRoundAsInDoubleArithmeticAtEveryWidth) {
    struct Case {
        const char* name;
        double decibels;
        const char* expected;
    };
    const Case cases[] = {
        {"0.49999999999999994 hundredths plus a half is 1 in doubles", 0.004999999999999999, "0.01"},
        {"6.505 lies just below a half hundredth", 6.505, "6.51"},
        {"the same below zero", -6.505, "-6.51"},
        {"0.015", 0.015, "0.02"},
        {"0.045", 0.045, "0.05"},
        {"2.675", 2.675, "2.68"},
        {"an exact half hundredth", 0.125, "0.13"},
        {"1.005 is below the half in doubles too", 1.005, "1.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plv_duskward::volume_text(c.decibels).view(), c.expected);
    }
}

TEST(VolumeText, VolumesThatNoCountHoldsAreClampedAndFit) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        double decibels;
        const char* expected;
    };
    const Case cases[] = {
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "0.00"},
        {"infinity", infinity, "184467440737095516.15"},
        {"minus infinity", -infinity, "-184467440737095516.15"},
        {"lowest double", std::numeric_limits<double>::lowest(), "-184467440737095516.15"},
        {"lowest float", static_cast<double>(std::numeric_limits<float>::lowest()), "-184467440737095516.15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plv_duskward::volume_text(c.decibels).view(), c.expected);
    }
}

} // namespace
