#pragma once
// The player's preferences window with the component's page inside it, driven through real window
// messages, as a user's typing and clicking would drive it.

#include <windows.h>

#include <string>

#include "frame/host_interfaces.h"

namespace plavora_host {

class prefs_window {
public:
    prefs_window() = default;
    prefs_window(const prefs_window&) = delete;
    prefs_window& operator=(const prefs_window&) = delete;
    ~prefs_window() { close(); }

    // Each returns false with the reason in `error`.
    bool open(preferences_page& page, std::string& error);
    bool type(int control_id, const std::string& utf8_text, std::string& error);
    bool click(int control_id, std::string& error);
    // Saves a picture of the page as a 24-bit BMP file.
    bool save_picture(const std::string& path, std::string& error);
    void close();
    bool is_open() const { return frame_ != nullptr; }

private:
    static LRESULT CALLBACK frame_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    bool control(int control_id, HWND& found, std::string& error) const;

    HWND frame_ = nullptr;
    HWND page_ = nullptr;
};

} // namespace plavora_host
