#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "frame/errors.h"
#include "frame/shared_text.h"

namespace {

using wex::shared_text;

TEST(SharedTextTest, MadeFromATextCopiesIt) {
    char source[] = "abcdef";
    const shared_text whole(source);
    const shared_text first_three(source, 3);
    source[0] = 'X';
    EXPECT_EQ(whole.view(), "abcdef");
    EXPECT_EQ(first_three.view(), "abc");
}

TEST(SharedTextTest, ConcatenationJoinsBothTextsAndLeavesThemAlone) {
    const shared_text first("seek ");
    const shared_text second("to 1:15.3");
    const shared_text joined = first + second;
    EXPECT_EQ(joined.view(), "seek to 1:15.3");
    EXPECT_EQ(first.view(), "seek ");
    EXPECT_EQ(second.view(), "to 1:15.3");
    EXPECT_EQ((shared_text() + shared_text()).view(), "");
}

TEST(SharedTextTest, RestFromAPositionUpToTheLength) {
    const shared_text text("abc");
    EXPECT_EQ(text.rest_from(0).view(), "abc");
    EXPECT_EQ(text.rest_from(1).view(), "bc");
    EXPECT_EQ(text.rest_from(3).view(), "");
    EXPECT_THROW(text.rest_from(4), wex::exception_overflow);
}

TEST(SharedTextTest, FindGivesTheFirstOccurrenceAtOrAfterTheStart) {
    struct Case {
        const char* text;
        const char* needle;
        std::size_t start;
        std::size_t expected;
    };
    const std::size_t none = shared_text::not_found;
    const Case cases[] = {
        {"abcabc", "bc", 0, 1},
        {"abcabc", "bc", 1, 1},
        {"abcabc", "bc", 2, 4},
        {"abcabc", "bc", 5, none},
        {"abcabc", "abc", 3, 3},
        {"abc", "abcd", 0, none},       // longer than the text
        {"a%TIME%", "%time%", 0, none}, // bytes compare exactly
        {"", "x", 0, none},
        {"abc", "", 1, 1},
        {"abc", "a", 7, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.needle + " / " + std::to_string(c.start));
        EXPECT_EQ(shared_text(c.text).find(c.needle, c.start), c.expected);
    }
}

TEST(SharedTextTest, EmptyValueReadsEmptyAndRefusesEveryChange) {
    const shared_text empty;
    EXPECT_STREQ(empty.get_text(), "");
    EXPECT_EQ(empty.get_length(), 0u);
    EXPECT_NE(dynamic_cast<const wex::read_only_empty_text*>(&empty.text_object()), nullptr);

    wex::read_only_empty_text text;
    EXPECT_THROW(text.append("x"), wex::exception_not_implemented);
    EXPECT_THROW(text.assign("x"), wex::exception_not_implemented);
    EXPECT_THROW(text.truncate(0), wex::exception_not_implemented);
    EXPECT_THROW(text.lock_buffer(1), wex::exception_not_implemented);
    EXPECT_THROW(text.unlock_buffer(), wex::exception_not_implemented);
}

TEST(SharedTextTest, CopiesShareOneCountedContainer) {
    shared_text original("text");
    EXPECT_EQ(original.use_count(), 1);
    {
        const shared_text copy = original;
        EXPECT_EQ(copy.get_text(), original.get_text());
        EXPECT_EQ(original.use_count(), 2);
    }
    EXPECT_EQ(original.use_count(), 1);

    shared_text moved = std::move(original);
    EXPECT_EQ(moved.use_count(), 1);
    EXPECT_EQ(original.get_length(), 0u); // NOLINT(bugprone-use-after-move): left the empty value

    shared_text assigned("other");
    assigned = moved;
    EXPECT_EQ(moved.use_count(), 2);
    assigned = shared_text();
    EXPECT_EQ(moved.use_count(), 1);
}

TEST(SharedTextTest, CopiesOnTwoThreadsKeepTheCountExact) {
    const shared_text original("shared between threads");
    auto copy_and_drop = [&original] {
        for (int round = 0; round < 100; ++round) {
            std::vector<shared_text> copies(100, original);
        }
    };
    std::thread first(copy_and_drop);
    std::thread second(copy_and_drop);
    first.join();
    second.join();
    EXPECT_EQ(original.use_count(), 1);
}

} // namespace
