#include <gtest/gtest.h>

#include "frame/replace_all.h"

namespace {

TEST(ReplaceAllTest, ReplacesEveryOccurrenceOnce) {
    struct Case {
        const char* name;
        const char* text;
        const char* placeholder;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"once", "seek to %time%", "%time%", "1:15.3", "seek to 1:15.3"},
        {"twice", "%time% of %time%", "%time%", "0:01.0", "0:01.0 of 0:01.0"},
        {"at both ends", "%v%-%v%", "%v%", "1", "1-1"},
        {"whole text", "%volume%", "%volume%", "-6.50", "-6.50"},
        {"none", "pause", "%time%", "0:01.0", "pause"},
        {"other letter case", "at %TIME%", "%time%", "0:01.0", "at %TIME%"},
        {"empty text", "", "%time%", "0:01.0", ""},
        {"empty value", "a%time%b", "%time%", "", "ab"},
        {"value holds the placeholder", "%time%", "%time%", "[%time%]", "[%time%]"},
        {"no overlap", "aaa", "aa", "b", "ba"},
        {"empty placeholder", "abc", "", "x", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const wex::shared_text result =
            wex::replace_all(wex::shared_text(c.text), wex::shared_text(c.placeholder), wex::shared_text(c.value));
        EXPECT_EQ(result.view(), c.expected);
    }
}

} // namespace
