// The path helpers that find the event file's place. Run against the stand-in and against real
// Win32 alike, so that both agree on the contracts the component relies on.

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring text_of(const WCHAR* units) {
    std::wstring out;
    for (; *units != 0; ++units) out += *units;
    return out;
}

// For traces: the paths here are ASCII.
std::string narrow(const wchar_t* text) {
    std::string out;
    for (; *text != 0; ++text) out += static_cast<char>(*text);
    return out;
}

TEST(CombiningPaths, JoinsAndResolvesDots) {
    struct row {
        const wchar_t* directory;
        const wchar_t* file;
        const wchar_t* expected;
    };
    const row rows[] = {
        {L"D:\\Games\\Game\\bin", L"..\\gamedata", L"D:\\Games\\Game\\gamedata"},
        {L"D:\\Games\\Game\\gamedata", L"config", L"D:\\Games\\Game\\gamedata\\config"},
        {L"D:\\a\\", L"b", L"D:\\a\\b"},
        {L"D:\\a\\.\\b", L"c", L"D:\\a\\b\\c"},
        {L"D:\\a\\b", L"..\\..", L"D:\\"},
        {L"D:\\", L"..\\gamedata", L"D:\\gamedata"},
        {L"D:\\a", L"E:\\z", L"E:\\z"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(narrow(r.directory) + " + " + narrow(r.file));
        WCHAR out[MAX_PATH];
        ASSERT_EQ(PathCombineW(out, r.directory, r.file), out);
        EXPECT_EQ(text_of(out), r.expected);
    }
}

TEST(CombiningPaths, AResultLongerThanMaxPathIsRefused) {
    const std::wstring folder = L"D:\\" + std::wstring(240, L'f');
    WCHAR out[MAX_PATH];
    ASSERT_NE(PathCombineW(out, folder.c_str(), std::wstring(15, L'x').c_str()), nullptr)
        << "259 units and the NUL fit";
    EXPECT_EQ(text_of(out).size(), 259u);
    EXPECT_EQ(PathCombineW(out, folder.c_str(), std::wstring(16, L'x').c_str()), nullptr);
}

TEST(RemovingTheFileName, LeavesTheFolderAndKeepsTheRoot) {
    struct row {
        const wchar_t* path;
        const wchar_t* expected;
        BOOL removed;
    };
    const row rows[] = {
        {L"D:\\Games\\Game\\bin\\game.exe", L"D:\\Games\\Game\\bin", TRUE},
        {L"D:\\game.exe", L"D:\\", TRUE},
        {L"D:\\", L"D:\\", FALSE},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(narrow(r.path));
        WCHAR path[MAX_PATH] = {};
        std::wstring(r.path).copy(path, MAX_PATH - 1);
        EXPECT_EQ(PathRemoveFileSpecW(path) != FALSE, r.removed != FALSE);
        EXPECT_EQ(text_of(path), r.expected);
    }
}

} // namespace
