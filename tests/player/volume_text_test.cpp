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
