#include <gtest/gtest.h>

#include <new>
#include <string>

#include "frame/scratch_string.h"

namespace {

TEST(ScratchStringTest, BufferDoublesUntilTheTextFitsAndNeverShrinks) {
    struct Step {
        std::size_t assigned_length;
        std::size_t expected_capacity;
    };
    const Step steps[] = {
        {0, 1},
        {10, 16},
        {16, 32}, // 17 bytes with the NUL
        {1, 32},
        {100, 128},
    };
    wex::scratch_string s;
    EXPECT_EQ(s.capacity(), 0u);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.assigned_length);
        s.assign(std::string(step.assigned_length, 'x').c_str());
        EXPECT_EQ(s.get_length(), step.assigned_length);
        EXPECT_EQ(s.capacity(), step.expected_capacity);
    }
}

TEST(ScratchStringTest, TruncatedToZeroKeepsItsBuffer) {
    wex::scratch_string s(std::string(100, 'x').c_str());
    s.truncate(0);
    EXPECT_STREQ(s.get_text(), "");
    EXPECT_EQ(s.capacity(), 128u);
}

TEST(ScratchStringTest, BufferPastFourGibibytesFailsAndKeepsText) {
    wex::scratch_string s("keep");
    // Doubling toward 2^31 + 1 bytes would reach 2^32; nothing is allocated.
    EXPECT_THROW(s.lock_buffer(0x80000000u), std::bad_alloc);
    EXPECT_EQ(s.view(), "keep");
    EXPECT_EQ(s.capacity(), 8u);
}

} // namespace
