#include <gtest/gtest.h>

#include <new>
#include <string>
#include <utility>

#include "frame/errors.h"
#include "frame/string8.h"

namespace {

TEST(String8Test, BufferGrowsWithSpareBytesAndShrinksWhenMostlyUnused) {
    struct Step {
        std::size_t assigned_length;
        std::size_t expected_capacity;
    };
    const Step steps[] = {
        {10, 27},             // too small: length + 17
        {5, 27},              // 27 is within 32 bytes of 6: kept
        {100, 117}, {10, 11}, // 117 is far more than 11: exactly length + 1
        {43, 60}, {27, 60},   // 32 bytes to spare: kept
        {26, 27},             // 33 bytes to spare: given back
    };
    wex::string8 s;
    EXPECT_EQ(s.capacity(), 0u);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.assigned_length);
        s.assign(std::string(step.assigned_length, 'x').c_str());
        EXPECT_EQ(s.get_length(), step.assigned_length);
        EXPECT_EQ(s.capacity(), step.expected_capacity);
    }
}

TEST(String8Test, TruncateAndUnlockFollowTheSameBufferRule) {
    wex::string8 s;
    s.assign(std::string(100, 'x').c_str());
    s.truncate(10);
    EXPECT_EQ(s.capacity(), 11u);

    char* buffer = s.lock_buffer(100);
    EXPECT_EQ(s.capacity(), 117u);
    buffer[0] = 'a';
    s.unlock_buffer();
    EXPECT_EQ(s.view(), "a");
    EXPECT_EQ(s.capacity(), 2u);
}

TEST(String8Test, BufferPastFourGibibytesFailsAndKeepsText) {
    wex::string8 s("keep");
    // length + 17 passes 2^32 on either width; nothing is allocated.
    EXPECT_THROW(s.lock_buffer(0xFFFFFFFEu), std::bad_alloc);
    // 2^32 - 1 is "no limit" in the 32-bit product, so every width calls it an overflow.
    EXPECT_THROW(s.lock_buffer(0xFFFFFFFFu), wex::exception_overflow);
    EXPECT_EQ(s.view(), "keep");
    EXPECT_EQ(s.capacity(), 21u);
}

TEST(String8Test, CopiesAreIndependentAndMovesEmptyTheSource) {
    wex::string8 original("first");
    wex::string8 copy(original);
    copy.append(" changed");
    EXPECT_EQ(original.view(), "first");
    EXPECT_EQ(copy.view(), "first changed");

    copy = original;
    EXPECT_EQ(copy.view(), "first");

    wex::string8 moved(std::move(original));
    EXPECT_EQ(moved.view(), "first");
    EXPECT_EQ(original.capacity(), 0u); // NOLINT(bugprone-use-after-move): moved-from state is defined
    EXPECT_STREQ(original.get_text(), "");

    copy = std::move(moved);
    EXPECT_EQ(copy.view(), "first");
    EXPECT_EQ(moved.capacity(), 0u); // NOLINT(bugprone-use-after-move)

    wex::string8 empty;
    wex::string8 copy_of_empty(empty);
    EXPECT_EQ(copy_of_empty.capacity(), 0u);
}

} // namespace
