#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frame/module_state.h"
#include "player/preferences.h"
#include "player/resource.h"
#include "player/settings.h"

// The real page on real Win32: made from the module's dialog resource, driven through the window
// messages that typing and clicking produce.

namespace {

using namespace plv_duskward;

class PreferencesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        reset_settings_to_defaults();
        set_module_handle(GetModuleHandleW(nullptr));
        // Not shown: without a window manager, Wine waits two seconds for a shown window to go.
        host = CreateWindowExW(0, L"STATIC", L"Preferences", WS_OVERLAPPEDWINDOW, 0, 0, 720, 680, nullptr, nullptr,
            GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host, nullptr);
        page_window = page.make_window(host);
        ASSERT_NE(page_window, nullptr);
        ShowWindow(page_window, SW_SHOW);
    }
    void TearDown() override {
        if (host != nullptr) DestroyWindow(host); // takes the page with it, as the host does
        set_module_handle(nullptr);
        reset_settings_to_defaults();
    }

    HWND field(int id) { return GetDlgItem(page_window, id); }

    // Typing a key with the caret at the end of the field's text.
    void type_key(int id, wchar_t key) {
        const int end = GetWindowTextLengthW(field(id));
        SendMessageW(field(id), EM_SETSEL, static_cast<WPARAM>(end), end);
        SendMessageW(field(id), WM_CHAR, key, 1);
    }

    std::wstring text_of(int id) {
        wchar_t text[256] = {};
        GetWindowTextW(field(id), text, 256);
        return text;
    }

    service_impl_single_t<preferences> page;
    HWND host = nullptr;
    HWND page_window = nullptr;
};

TEST_F(PreferencesWindow, MadeFromTheResourceAndFilledFromTheSettings) {
    EXPECT_EQ(GetParent(page_window), host);
    EXPECT_EQ(text_of(IDC_SEEK_FORMAT), L"seek to %time%");
    EXPECT_EQ(text_of(IDC_TRACK_CHANGE_FORMAT), L"%artist%: %title%");
    EXPECT_EQ(text_of(IDC_IDLE_DELAY), L"2000");
    EXPECT_EQ(text_of(IDC_CONTROL_DELAY), L"1000");
    EXPECT_EQ(SendMessageW(field(IDC_SUSPEND_INPUT), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(field(IDC_VOLUME_ENABLED), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(cfg_seek_format.view(), "seek to %time%") << "filling the fields changed nothing";
    EXPECT_EQ(cfg_idle_delay.get(), 2000);
}

TEST_F(PreferencesWindow, TypingAndClickingChangeTheSettingsAtOnce) {
    SetWindowTextW(field(IDC_SEEK_FORMAT), L"jump to %time%");
    EXPECT_EQ(cfg_seek_format.view(), "jump to %time%");
    type_key(IDC_SEEK_FORMAT, L'!');
    EXPECT_EQ(cfg_seek_format.view(), "jump to %time%!");
    type_key(IDC_SEEK_FORMAT, L'\u00E9');
    EXPECT_EQ(cfg_seek_format.view(), "jump to %time%!\xC3\xA9");

    SendMessageW(field(IDC_SEEK_ENABLED), BM_CLICK, 0, 0);
    EXPECT_FALSE(cfg_seek_enabled.get());
    SendMessageW(field(IDC_SEEK_ENABLED), BM_CLICK, 0, 0);
    EXPECT_TRUE(cfg_seek_enabled.get());
    SendMessageW(field(IDC_SUSPEND_INPUT), BM_CLICK, 0, 0);
    EXPECT_FALSE(cfg_suspend_input.get());
}

TEST_F(PreferencesWindow, DeletingTheDigitsOf2000FromTheEndLeaves2) {
    for (int i = 0; i < 4; ++i) type_key(IDC_IDLE_DELAY, VK_BACK);
    EXPECT_EQ(text_of(IDC_IDLE_DELAY), L"");
    EXPECT_EQ(cfg_idle_delay.get(), 2);
    SetWindowTextW(field(IDC_CONTROL_DELAY), L"0");
    EXPECT_EQ(cfg_control_delay.get(), 0);
    SetWindowTextW(field(IDC_CONTROL_DELAY), L"3000000000");
    EXPECT_EQ(cfg_control_delay.get(), 2147483647);
}

TEST(PreferencesPageWindow, NullWhenTheModuleLacksTheDialog) {
    service_impl_single_t<preferences> page;
    set_module_handle(GetModuleHandleW(L"kernel32.dll"));
    HWND host =
        CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(page.make_window(host), nullptr);
    DestroyWindow(host);
    set_module_handle(nullptr);
}

// --- A picture of the page, kept with the test results ----------------------------------------

// build/win64/test-results, found from the test program's own place in build/win64/bin.
std::wstring test_results_folder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    for (int i = 0; i < 2; ++i) folder.erase(folder.find_last_of(L'\\'));
    return folder + L"\\test-results";
}

// Writes a bottom-up 24-bit picture; rows are padded to four bytes, as the format wants.
bool write_bitmap(const std::wstring& path, const BYTE* pixels, LONG width, LONG height) {
    const DWORD row = static_cast<DWORD>((width * 3 + 3) & ~3);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = row * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return false;
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
        std::fwrite(pixels, info.biSizeImage, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

// Lets the windows paint themselves.
void pump_messages() {
    for (int round = 0; round < 20; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// A copy of what the screen shows of a window: the page with its controls as the user sees it.
class screen_copy {
public:
    explicit screen_copy(HWND window) {
        GetWindowRect(window, &area_);
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width();
        format.bmiHeader.biHeight = height();
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 24;
        format.bmiHeader.biCompression = BI_RGB;
        screen_ = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen_);
        picture_ = CreateDIBSection(memory_, &format, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (picture_ == nullptr) return;
        previous_ = SelectObject(memory_, picture_);
        copied_ = BitBlt(memory_, 0, 0, width(), height(), screen_, area_.left, area_.top, SRCCOPY) != FALSE;
        GdiFlush();
    }
    ~screen_copy() {
        if (picture_ != nullptr) {
            SelectObject(memory_, previous_);
            DeleteObject(picture_);
        }
        DeleteDC(memory_);
        ReleaseDC(nullptr, screen_);
    }
    screen_copy(const screen_copy&) = delete;
    screen_copy& operator=(const screen_copy&) = delete;

    LONG width() const { return area_.right - area_.left; }
    LONG height() const { return area_.bottom - area_.top; }
    bool copied() const { return copied_; }
    const BYTE* pixels() const { return static_cast<const BYTE*>(bits_); }
    std::size_t row_size() const { return static_cast<std::size_t>((width() * 3 + 3) & ~3); }

    // How many pixels differ from the top left one: texts and frames were drawn when many do.
    std::size_t pixels_unlike_the_corner() const {
        std::size_t count = 0;
        for (LONG y = 0; y < height(); ++y) {
            const BYTE* row = pixels() + row_size() * static_cast<std::size_t>(y);
            for (LONG x = 0; x < width(); ++x)
                if (std::memcmp(row + x * 3, pixels(), 3) != 0) ++count;
        }
        return count;
    }

private:
    RECT area_ = {};
    HDC screen_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP picture_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
    bool copied_ = false;
};

TEST_F(PreferencesWindow, PictureOfThePageIsSavedWithTheResults) {
    SetWindowPos(host, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(host);
    pump_messages();
    screen_copy copy(page_window);
    ASSERT_TRUE(copy.copied());

    const std::wstring path = test_results_folder() + L"\\preferences_page.bmp";
    EXPECT_TRUE(write_bitmap(path, copy.pixels(), copy.width(), copy.height())) << "cannot write the picture";
    EXPECT_GT(copy.pixels_unlike_the_corner(), 1000u) << "the page was not drawn";
    std::printf("picture of the page: %ls\n", path.c_str());
}

} // namespace
