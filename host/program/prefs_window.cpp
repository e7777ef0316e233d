#include "host/program/prefs_window.h"

#include <cstdio>
#include <vector>

#include "host/program/message_pump.h"

namespace plavora_host {
namespace {

constexpr wchar_t frame_class[] = L"PlavoraPreferences";

void register_frame_class(WNDPROC procedure) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSW window_class = {};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = frame_class;
    registered = RegisterClassW(&window_class) != 0;
}

bool write_bmp(const std::string& path, int width, int height, const std::vector<std::uint8_t>& pixels) {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42; // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(&header, sizeof header, 1, file) == 1 && std::fwrite(&info, sizeof info, 1, file) == 1 &&
        std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace

// The user may close the window with its own close box: the host must then know that it is gone,
// or the page could never be opened again.
LRESULT CALLBACK prefs_window::frame_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    } else if (message == WM_NCDESTROY) {
        auto* owner = reinterpret_cast<prefs_window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (owner != nullptr && owner->frame_ == window) {
            owner->frame_ = nullptr;
            owner->page_ = nullptr;
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

bool prefs_window::open(preferences_page& page, std::string& error) {
    if (is_open()) {
        error = "the preferences page is already open";
        return false;
    }
    register_frame_class(frame_procedure);
    frame_ = CreateWindowExW(0, frame_class, L"Preferences", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 640, 560,
        nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (frame_ == nullptr) {
        error = "cannot create the preferences window";
        return false;
    }
    page_ = page.make_window(frame_);
    if (page_ == nullptr) {
        error = "the component made no page window";
        close();
        return false;
    }
    ShowWindow(page_, SW_SHOW);
    UpdateWindow(frame_);
    pump_window_messages();
    return true;
}

bool prefs_window::control(int control_id, HWND& found, std::string& error) const {
    if (!is_open()) {
        error = "the preferences page is not open";
        return false;
    }
    found = GetDlgItem(page_, control_id);
    if (found == nullptr) {
        error = "the page has no control " + std::to_string(control_id);
        return false;
    }
    return true;
}

bool prefs_window::type(int control_id, const std::string& utf8_text, std::string& error) {
    HWND field = nullptr;
    if (!control(control_id, field, error)) return false;
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8_text.data(), static_cast<int>(utf8_text.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8_text.data(), static_cast<int>(utf8_text.size()), text.data(), units);
    // As typing does: the edit control tells its dialog of the change with EN_UPDATE.
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    pump_window_messages();
    return true;
}

bool prefs_window::click(int control_id, std::string& error) {
    HWND button = nullptr;
    if (!control(control_id, button, error)) return false;
    SendMessageW(button, BM_CLICK, 0, 0);
    pump_window_messages();
    return true;
}

bool prefs_window::save_picture(const std::string& path, std::string& error) {
    if (!is_open()) {
        error = "the preferences page is not open";
        return false;
    }
    RedrawWindow(frame_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump_window_messages();
    RECT area = {};
    GetClientRect(page_, &area);
    int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(page_);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    // The window is on top of an otherwise empty display, so what the screen shows is the page.
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> pixels(row * static_cast<std::size_t>(height));
    SelectObject(memory, previous);
    bool read = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != 0;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(page_, screen);
    if (!read || !write_bmp(path, width, height, pixels)) {
        error = "cannot save a picture of the page to " + path;
        return false;
    }
    return true;
}

void prefs_window::close() {
    if (frame_ != nullptr) DestroyWindow(frame_); // the page window is its child and goes with it
    frame_ = nullptr;                             // also when the window was never fully made
    page_ = nullptr;
    pump_window_messages();
}

} // namespace plavora_host
