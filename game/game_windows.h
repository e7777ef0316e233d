#pragma once
// The game's two top-level windows: the main one with the game's title, which the component looks
// for, and another window of the same process that can take the front from it, as a game's
// launcher or dialog would.

#include <windows.h>

#include <string>

namespace duskward_game {

// The title of an edition: 1 "Duskward: Grey Orchard", 2 "Duskward: Iron Dawn"; null otherwise.
const wchar_t* edition_title(int edition);

// Owns one window; destroying it on every path keeps no window behind a failed start.
class unique_window {
public:
    unique_window() = default;
    explicit unique_window(HWND window) : window_(window) {}
    unique_window(unique_window&& other) noexcept : window_(other.window_) { other.window_ = nullptr; }
    unique_window& operator=(unique_window&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = other.window_;
            other.window_ = nullptr;
        }
        return *this;
    }
    unique_window(const unique_window&) = delete;
    unique_window& operator=(const unique_window&) = delete;
    ~unique_window() { reset(); }
    HWND get() const { return window_; }
    void reset();

private:
    HWND window_ = nullptr;
};

class game_windows {
public:
    // Creates the main window with `procedure`, passing `context` on WM_NCCREATE. Throws
    // std::runtime_error naming the failed call when a window cannot be made.
    game_windows(HINSTANCE instance, const std::wstring& title, WNDPROC procedure, void* context);

    HWND game() const { return game_.get(); }

    // Each shows its window and makes it the foreground window; true once it is.
    bool bring_game_to_front();
    bool bring_other_to_front();

    // Destroys both windows now (the main window's procedure then ends the message loop).
    void close();

private:
    HINSTANCE instance_;
    unique_window other_;
    unique_window game_;
};

} // namespace duskward_game
