// The behaviour that every string of the component shares, whatever holds its bytes.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/errors.h"
#include "frame/scratch_string.h"
#include "frame/string8.h"
#include "frame/text_buffer.h"

namespace {

template <typename T>
class StringBaseTest : public testing::Test {};

using StringTypes = testing::Types<wex::string8, wex::scratch_string, wex::text_buffer_64, wex::text_buffer_128>;
TYPED_TEST_SUITE(StringBaseTest, StringTypes);

std::string text_of(const wex::string_base& s) { return std::string(s.get_text(), s.get_length()); }

TYPED_TEST(StringBaseTest, NewStringIsEmpty) {
    TypeParam s;
    EXPECT_STREQ(s.get_text(), "");
    EXPECT_EQ(s.get_length(), 0u);
}

TYPED_TEST(StringBaseTest, TextEndsAtMaxLengthOrFirstNul) {
    struct Case {
        const char* name;
        const char* text;
        std::size_t max_length;
        const char* expected;
    };
    const Case cases[] = {
        {"whole text", "abc", wex::no_limit, "abc"},
        {"cut by max length", "abcdef", 2, "ab"},
        {"max length 0", "abc", 0, ""},
        {"cut by NUL", "ab\0cd", wex::no_limit, "ab"},
        {"max length past NUL", "ab\0cd", 4, "ab"},
        {"null text", nullptr, wex::no_limit, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TypeParam assigned;
        assigned.assign(c.text, c.max_length);
        EXPECT_EQ(text_of(assigned), c.expected);

        TypeParam appended;
        appended.assign("x");
        appended.append(c.text, c.max_length);
        EXPECT_EQ(text_of(appended), std::string("x") + c.expected);
    }
}

TYPED_TEST(StringBaseTest, AppendingItsOwnTextDoublesIt) {
    TypeParam s;
    const std::string text = "abcdefghij0123456789"; // doubled, it outgrows the first heap buffer
    s.assign(text.c_str());
    s.append(s.get_text());
    EXPECT_EQ(text_of(s), text + text);
}

TYPED_TEST(StringBaseTest, AssignFromInsideItsOwnBufferTakesTheTail) {
    const std::string long_text(50, 'a');
    for (const std::string& head : {std::string("hello "), long_text}) {
        SCOPED_TRACE(head.size());
        TypeParam s;
        s.assign((head + "world").c_str());
        s.assign(s.get_text() + head.size());
        EXPECT_EQ(text_of(s), "world");
    }
}

TYPED_TEST(StringBaseTest, TruncateShortensButNeverLengthens) {
    TypeParam s;
    s.assign("abcdef");
    s.truncate(6);
    s.truncate(100);
    s.truncate(wex::no_limit);
    EXPECT_EQ(text_of(s), "abcdef");
    s.truncate(2);
    EXPECT_EQ(text_of(s), "ab");
}

TYPED_TEST(StringBaseTest, LockBufferWithNoLimitThrowsOverflowAndKeepsText) {
    TypeParam s;
    s.assign("keep");
    EXPECT_THROW(s.lock_buffer(wex::no_limit), wex::exception_overflow);
    EXPECT_EQ(text_of(s), "keep");
}

TYPED_TEST(StringBaseTest, UnlockTakesTheLengthUpToTheFirstNul) {
    TypeParam s;
    s.assign("old text");
    char* buffer = s.lock_buffer(10);
    EXPECT_EQ(std::string(buffer, 11), std::string(11, '\0'));
    std::memcpy(buffer, "new", 3);
    s.unlock_buffer();
    EXPECT_EQ(text_of(s), "new");
}

} // namespace
