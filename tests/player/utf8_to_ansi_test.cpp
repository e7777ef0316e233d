#include "player/utf8_to_ansi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Runs against the stand-in natively and against the real WideCharToMultiByte under Wine, whose
// ANSI code page is 1252 as the stand-in's is.

namespace {

std::string ansi(const std::string& utf8) {
    wex::scratch_string converted = plv_duskward::utf8_to_ansi(utf8.data(), utf8.size());
    return std::string(converted.view());
}

TEST(Utf8ToAnsi, CharactersOfTheCodePageArriveAsItsBytes) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"ascii", "Artist: Title", "Artist: Title"},
        {"latin-1 letters", "Bj\xC3\xB6rk \xE2\x80\x93 J\xC3\xB3ga", "Bj\xF6rk \x96 J\xF3ga"},
        {"euro and quotes", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D", "\x80 \x93x\x94"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ansi(c.utf8), c.expected);
    }
}

TEST(Utf8ToAnsi, CharactersTheCodePageLacksBecomeItsDefaultCharacter) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"cjk", "\xE6\x97\xA5\xE6\x9C\xAC - x", "?? - x"},
        {"cyrillic", "\xD0\x96\xD0\xB8", "??"},
        {"above U+FFFF: one per UTF-16 unit", "a\xF0\x9F\x8E\xB5z", "a??z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ansi(c.utf8), c.expected);
    }
}

TEST(Utf8ToAnsi, TextEndsWhereDecodingStops) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"stray continuation byte",
            "ab\x80"
            "cd",
            "ab"},
        {"lead without its continuation",
            "ab\xC3"
            "cd",
            "ab"},
        {"sequence cut by the end", "ab\xE2\x82", "ab"},
        {"two-byte overlong form",
            "ab\xC0\xAF"
            "cd",
            "ab"},
        {"lead 0xC1", "ab\xC1\xBF", "ab"},
        {"three-byte overlong form",
            "ab\xE0\x80\xAF"
            "cd",
            "ab"},
        {"above U+10FFFF",
            "ab\xF4\x90\x80\x80"
            "cd",
            "ab"},
        {"five-byte form",
            "ab\xF8\x88\x80\x80\x80"
            "cd",
            "ab"},
        {"bytes 0xFE and 0xFF", "ab\xFE\xFF", "ab"},
        {"NUL inside", std::string("ab\0cd", 5), "ab"},
        {"after good non-ASCII", "\xC3\xA9t\xC3\xA9\xFF", "\xE9t\xE9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ansi(c.utf8), c.expected);
    }
}

TEST(Utf8ToAnsi, StopsAtTheGivenLength) {
    const char text[] = "abcdef";
    EXPECT_EQ(std::string(plv_duskward::utf8_to_ansi(text, 3).view()), "abc");
    EXPECT_EQ(std::string(plv_duskward::utf8_to_ansi("\xC3\xA9", 1).view()), "")
        << "a sequence cut by the length is cut off";
}

} // namespace

namespace {

// The UTF-16 stage on its own: the code page would turn any wrong surrogate pair into '?', so only
// here can a slip in the pair arithmetic be seen.
TEST(Utf8ToUtf16Units, PlanesBeyondTheFirstBecomeSurrogatePairs) {
    struct Case {
        const char* name;
        std::string utf8;
        std::vector<unsigned> units; // NUL included
    };
    const Case cases[] = {
        {"last of the first plane", "\xEF\xBF\xBF", {0xFFFF, 0}},
        {"first beyond it", "\xF0\x90\x80\x80", {0xD800, 0xDC00, 0}},
        {"last code point", "\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF, 0}},
        {"between two letters", "a\xF0\x9F\x8E\xB5z", {'a', 0xD83C, 0xDFB5, 'z', 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<WCHAR> units = plv_duskward::utf16_units(c.utf8.data(), c.utf8.size());
        EXPECT_EQ(std::vector<unsigned>(units.begin(), units.end()), c.units);
    }
}

} // namespace
