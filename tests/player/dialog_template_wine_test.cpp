#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "player/resource.h"

// The page's dialog template as the resource compiler wrote it into the module: every field of
// the template and of each control, read from the compiled bytes.

namespace {

// Reads the fields of an extended dialog template in order.
class template_reader {
public:
    explicit template_reader(const BYTE* bytes) : position_(bytes), start_(bytes) {}

    WORD word() { return take<WORD>(); }
    DWORD dword() { return take<DWORD>(); }
    short coordinate() { return static_cast<short>(take<WORD>()); }
    BYTE byte() { return take<BYTE>(); }
    // A string, "#n" for an ordinal, "" for none.
    std::wstring text_or_ordinal() {
        WORD first = word();
        if (first == 0xFFFF) return L"#" + std::to_wstring(word());
        std::wstring text;
        for (WORD unit = first; unit != 0; unit = word()) text += static_cast<wchar_t>(unit);
        return text;
    }
    void align_to_dword() {
        while ((position_ - start_) % 4 != 0) ++position_;
    }

private:
    template <class T>
    T take() {
        T value;
        std::memcpy(&value, position_, sizeof value);
        position_ += sizeof value;
        return value;
    }
    const BYTE* position_;
    const BYTE* start_;
};

struct control_row {
    DWORD id;
    std::wstring class_name;
    std::wstring text;
    short x, y, width, height;
    DWORD style;
    DWORD extended_style;
};

constexpr DWORD none = 0xFFFFFFFF; // the id of controls that need none
constexpr DWORD field = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD number = ES_NUMBER | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD label = SS_LEFTNOWORDWRAP | WS_GROUP;
const std::wstring button = L"BUTTON", edit = L"EDIT", text_label = L"STATIC";

// A system class may be stored by name, in any letter case, or by its atom.
std::wstring class_name(std::wstring stored) {
    if (stored == L"#128") return button;
    if (stored == L"#129") return edit;
    if (stored == L"#130") return text_label;
    for (wchar_t& c : stored) c = static_cast<wchar_t>(towupper(c));
    return stored;
}

const control_row expected_controls[] = {
    {none, button, L"Events", 0, 0, 324, 114, BS_GROUPBOX, 0},
    {IDC_TRACK_CHANGE_FORMAT, edit, L"", 78, 18, 234, 12, field, 0},
    {IDC_TRACK_CHANGE_ENABLED, button, L"Track change", 12, 18, 60, 12, check, 0},
    {IDC_PAUSE_FORMAT, edit, L"", 78, 36, 234, 12, field, 0},
    {IDC_PAUSE_ENABLED, button, L"Pause", 12, 36, 60, 12, check, 0},
    {IDC_STOP_ENABLED, button, L"Stop", 12, 54, 60, 12, check, 0},
    {IDC_STOP_FORMAT, edit, L"", 78, 54, 234, 12, field, 0},
    {IDC_SEEK_ENABLED, button, L"Seek", 12, 72, 60, 12, check, 0},
    {IDC_SEEK_FORMAT, edit, L"", 78, 72, 234, 12, field, 0},
    {none, button, L"Timing", 0, 120, 324, 83, BS_GROUPBOX, 0},
    {none, text_label, L"Idle", 12, 161, 30, 12, label, 0},
    {IDC_IDLE_DELAY, edit, L"", 48, 161, 54, 14, number, 0},
    {none, text_label, L"Control", 12, 179, 30, 12, label, 0},
    {IDC_CONTROL_DELAY, edit, L"", 48, 179, 54, 14, number, 0},
    {none, text_label,
        L"Delay in milliseconds with which the game should check for events.\nAffects performance and responsiveness.",
        12, 137, 300, 22, SS_LEFT | WS_GROUP, 0},
    {IDC_VOLUME_ENABLED, button, L"Volume", 12, 90, 60, 12, check, 0},
    {IDC_VOLUME_FORMAT, edit, L"", 78, 90, 234, 12, field, 0},
    {IDC_SUSPEND_INPUT, button, L"Suspend game input", 12, 216, 300, 10, check, 0},
};

const BYTE* page_template() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(IDD_PREFERENCES),
        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (found == nullptr) return nullptr;
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

TEST(DialogTemplate, PageIsAnEnglishChildDialogWithItsFont) {
    const BYTE* bytes = page_template();
    ASSERT_NE(bytes, nullptr) << "dialog 101 in English (United States)";
    template_reader in(bytes);
    EXPECT_EQ(in.word(), 1);      // version
    EXPECT_EQ(in.word(), 0xFFFF); // extended template
    in.dword();                   // help id
    EXPECT_EQ(in.dword(), 0u);    // extended style
    EXPECT_EQ(in.dword(), static_cast<DWORD>(WS_CHILD | DS_SETFONT));
    EXPECT_EQ(in.word(), std::size(expected_controls));
    EXPECT_EQ(in.coordinate(), 0);
    EXPECT_EQ(in.coordinate(), 0);
    EXPECT_EQ(in.coordinate(), 330);
    EXPECT_EQ(in.coordinate(), 294);
    EXPECT_EQ(in.text_or_ordinal(), L"") << "menu";
    EXPECT_EQ(in.text_or_ordinal(), L"") << "class";
    EXPECT_EQ(in.text_or_ordinal(), L"") << "caption";
    EXPECT_EQ(in.word(), 8) << "point size";
    in.word(); // weight
    in.byte(); // italic
    in.byte(); // character set
    EXPECT_EQ(in.text_or_ordinal(), L"MS Sans Serif");
}

TEST(DialogTemplate, EveryControlInTabOrderWithItsPlaceAndStyle) {
    const BYTE* bytes = page_template();
    ASSERT_NE(bytes, nullptr);
    template_reader in(bytes);
    in.word(), in.word(), in.dword(), in.dword(), in.dword();
    const WORD count = in.word();
    for (int i = 0; i < 4; ++i) in.coordinate();
    for (int i = 0; i < 3; ++i) in.text_or_ordinal();
    in.word(), in.word(), in.byte(), in.byte(), in.text_or_ordinal();
    ASSERT_EQ(count, std::size(expected_controls));

    for (const control_row& expected : expected_controls) {
        SCOPED_TRACE(testing::PrintToString(expected.text) + " id " + std::to_string(expected.id));
        in.align_to_dword();
        in.dword(); // help id
        EXPECT_EQ(in.dword(), expected.extended_style);
        EXPECT_EQ(in.dword(), expected.style | WS_CHILD | WS_VISIBLE);
        EXPECT_EQ(in.coordinate(), expected.x);
        EXPECT_EQ(in.coordinate(), expected.y);
        EXPECT_EQ(in.coordinate(), expected.width);
        EXPECT_EQ(in.coordinate(), expected.height);
        EXPECT_EQ(in.dword(), expected.id);
        EXPECT_EQ(class_name(in.text_or_ordinal()), expected.class_name);
        EXPECT_EQ(in.text_or_ordinal(), expected.text);
        const WORD extra = in.word();
        EXPECT_EQ(extra, 0);
    }
}

} // namespace
