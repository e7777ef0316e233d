#include "player/time_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(TimeText, RoundsToTenthsAndNamesOnlyTheUnitsInUse) {
    struct Case {
        double seconds;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0:00.0"},
        {75.25, "1:15.3"},
        {59.96, "1:00.0"},
        {3725, "1:02:05.0"},
        {90061, "1d 1:01:01.0"},
        {694861, "1wk 1d 1:01:01.0"},
        {604800, "1wk 0d 0:00:00.0"},
        {86400, "1d 0:00:00.0"},
        {3599.94, "59:59.9"},
        {3599.95, "1:00:00.0"},
        {0.04, "0:00.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(plv_duskward::time_text(c.seconds).view(), c.expected);
    }
}

// Near a half tenth, every build must round as one double multiplication and one double addition
// do: the 32-bit build with x87 arithmetic keeps wider intermediates and would round these down.
TEST(TimeText, HalfTenthsRoundAsInDoubleArithmeticAtEveryWidth) {
    struct Case {
        const char* name;
        double seconds;
        const char* expected;
    };
    const Case cases[] = {
        {"0.49999999999999994 tenths plus a half is 1 in doubles", 0.049999999999999996, "0:00.1"},
        {"one step lower stays below the half", 0.04999999999999999, "0:00.0"},
        {"0.15 lies just below a half tenth", 0.15, "0:00.2"},
        {"1.15", 1.15, "0:01.2"},
        {"2.05", 2.05, "0:02.1"},
        {"an exact half tenth", 0.25, "0:00.3"},
        {"100.05", 100.05, "1:40.1"},
        {"the last tenth of a minute", 59.949999999999996, "1:00.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plv_duskward::time_text(c.seconds).view(), c.expected);
    }
}

TEST(TimeText, PositionsThatNoCountHoldsAreClampedAndFit) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const char* largest = "3050056890494wk 2d 3:06:01.5"; // 2^64 - 1 tenths
    struct Case {
        const char* name;
        double seconds;
        const char* expected;
    };
    const Case cases[] = {
        {"negative", -5.0, "0:00.0"},
        {"minus infinity", -infinity, "0:00.0"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "0:00.0"},
        {"infinity", infinity, largest},
        {"largest double", std::numeric_limits<double>::max(), largest},
        {"just past 64 bits of tenths", 1.8446744073709552e18, largest},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plv_duskward::time_text(c.seconds).view(), c.expected);
    }
}

} // namespace
