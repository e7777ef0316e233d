#include "game/game_windows.h"

#include "game/message_pump.h"

#include <stdexcept>

namespace duskward_game {
namespace {

constexpr wchar_t game_class[] = L"DuskwardGameWindow";
constexpr wchar_t other_class[] = L"DuskwardOtherWindow";
constexpr wchar_t other_title[] = L"Other window";
constexpr DWORD front_timeout_ms = 3000;
constexpr DWORD focus_settle_ms = 250;

void register_class(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = name;
    if (RegisterClassExW(&window_class) == 0) {
        throw std::runtime_error("RegisterClassExW failed");
    }
}

HWND create_window(HINSTANCE instance, const wchar_t* window_class, const wchar_t* title, int x, int y, void* context) {
    HWND window = CreateWindowExW(
        0, window_class, title, WS_OVERLAPPEDWINDOW, x, y, 640, 400, nullptr, nullptr, instance, context);
    if (window == nullptr) throw std::runtime_error("CreateWindowExW failed");
    return window;
}

// Windows may refuse a single SetForegroundWindow while the foreground is changing, so it is
// asked again until the window is in front or the time is up.
bool bring_to_front(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    bool in_front = pump_messages_until(
        [window] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        front_timeout_ms);
    // Under Wine the display's focus change follows a moment later and resets the key state to
    // the display's own; a key pressed before that would be lost.
    if (in_front) pump_messages_for(focus_settle_ms);
    return in_front;
}

} // namespace

const wchar_t* edition_title(int edition) {
    switch (edition) {
    case 1: return L"Duskward: Grey Orchard";
    case 2: return L"Duskward: Iron Dawn";
    default: return nullptr;
    }
}

void unique_window::reset() {
    if (IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
}

game_windows::game_windows(HINSTANCE instance, const std::wstring& title, WNDPROC procedure, void* context)
    : instance_(instance) {
    register_class(instance, game_class, procedure);
    register_class(instance, other_class, DefWindowProcW);
    game_ = unique_window(create_window(instance, game_class, title.c_str(), 40, 40, context));
}

bool game_windows::bring_game_to_front() { return bring_to_front(game_.get()); }

bool game_windows::bring_other_to_front() {
    // The user may have closed it.
    if (!IsWindow(other_.get())) {
        other_ = unique_window(create_window(instance_, other_class, other_title, 120, 120, nullptr));
    }
    return bring_to_front(other_.get());
}

void game_windows::close() {
    other_.reset();
    game_.reset();
}

} // namespace duskward_game
