// The host's shared library as the component uses it: formatting console lines and the system's
// texts for error codes.

#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

#include "frame/host_shared.h"
#include "frame/scratch_string.h"

namespace {

std::string printf_of(const char* format, ...) {
    wex::scratch_string out;
    va_list args;
    va_start(args, format);
    uPrintfV(out, format, args);
    va_end(args);
    return std::string(out.view());
}

TEST(UPrintfV, FormatsNumbersAndNarrowTextWithWidths) {
    EXPECT_EQ(printf_of("%d|%5d|%-5d|%05d", -42, 7, 7, 42), "-42|    7|7    |00042");
    EXPECT_EQ(printf_of("%u %x %X %lld", 4000000000u, 255u, 255u, -5000000000LL), "4000000000 ff FF -5000000000");
    EXPECT_EQ(printf_of("%s|%8s|%-8s|%.3s", "ab", "ab", "ab", "abcdef"), "ab|      ab|ab      |abc");
    EXPECT_EQ(printf_of("100%% %c", 'x'), "100% x");
}

TEST(UPrintfV, WideTextBecomesUtf8) {
    // One UTF-16 unit per wchar_t on every platform, as the host passes window titles.
    const wchar_t title[] = {
        L'D', 0x00E9, L'j', L'\xE0', L' ', static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00), 0};
    EXPECT_EQ(printf_of("found '%ls'", title), "found 'D\xC3\xA9j\xC3\xA0 \xF0\x9F\x98\x80'");
    EXPECT_EQ(printf_of("[%6ls]", L"ab"), "[    ab]");
    EXPECT_EQ(printf_of("%ls", static_cast<const wchar_t*>(nullptr)), "");
}

// The words are the system's own and differ between systems; what the console line needs is a
// text on one line.
TEST(UFormatSystemErrorMessage, GivesTheSystemsTextOnOneLine) {
    for (DWORD code : {ERROR_ACCESS_DENIED, ERROR_FILENAME_EXCED_RANGE, ERROR_PATH_NOT_FOUND}) {
        SCOPED_TRACE(code);
        wex::scratch_string text;
        EXPECT_TRUE(uFormatSystemErrorMessage(text, code));
        const std::string_view view = text.view();
        ASSERT_FALSE(view.empty());
        EXPECT_EQ(view.find_first_of("\r\n"), std::string_view::npos);
        EXPECT_NE(view.back(), ' ');
    }
}

TEST(UFormatSystemErrorMessage, AnUnknownCodeGivesAnEmptyText) {
    wex::scratch_string text("left over");
    EXPECT_FALSE(uFormatSystemErrorMessage(text, 0x2FFFFFFFu));
    EXPECT_EQ(text.view(), "");
}

TEST(UCreateMutex, GivesAnUnnamedMutexThatCanBeTaken) {
    HANDLE mutex = uCreateMutex(nullptr, FALSE, nullptr);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(CloseHandle(mutex));
}

} // namespace
