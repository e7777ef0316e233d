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
