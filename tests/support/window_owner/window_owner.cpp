// A real top-level window of a real second process, for tests that find a game by its window:
// the command line is the window's title. It runs until it is ended.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR title, int) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = instance;
    window_class.lpszClassName = L"plv_window_owner";
    if (!RegisterClassW(&window_class)) return 1;
    HWND window = CreateWindowExW(
        0, window_class.lpszClassName, title, WS_OVERLAPPEDWINDOW, 0, 0, 320, 200, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
