#include <gtest/gtest.h>

#include <string>

#include "frame/errors.h"
#include "frame/text_buffer.h"

namespace {

TEST(TextBufferTest, TextUpToCapacityFitsAndOneByteMoreIsRefusedWhole) {
    const std::string text_63(63, 'x');
    wex::text_buffer_64 small;
    small.append(text_63.c_str());
    EXPECT_EQ(small.view(), text_63);

    wex::text_buffer_64 empty;
    EXPECT_THROW(empty.append(std::string(64, 'x').c_str()), wex::exception_overflow);
    EXPECT_EQ(empty.view(), "");

    wex::text_buffer_128 large;
    large.assign("abc");
    EXPECT_THROW(large.append(std::string(125, 'x').c_str()), wex::exception_overflow);
    EXPECT_THROW(large.assign(std::string(128, 'x').c_str()), wex::exception_overflow);
    EXPECT_THROW(large.lock_buffer(128), wex::exception_overflow);
    EXPECT_EQ(large.view(), "abc");
    large.append(std::string(124, 'x').c_str());
    EXPECT_EQ(large.get_length(), 127u);
}

TEST(TextBufferTest, CopyHoldsItsOwnBytes) {
    wex::text_buffer_64 original;
    original.assign("12");
    wex::text_buffer_64 copy(original);
    copy.append("34");
    EXPECT_EQ(original.view(), "12");
    EXPECT_EQ(copy.view(), "1234");
}

} // namespace
