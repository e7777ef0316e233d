#pragma once
// A game in front, on real Windows: the test program's window_owner.exe copied to
// <base>\root\bin\game.exe beside <base>\root\gamedata, run with the game's title, its window shown
// and made the foreground window. Ended, and its folder removed, with the object.

#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "frame/handles.h"

namespace test_support {

class running_game {
public:
    // `base` is made anew; the window_owner.exe of the running program's folder is the game.
    running_game(std::filesystem::path base, const std::wstring& title) : base_(std::move(base)) {
        std::error_code ignored;
        std::filesystem::remove_all(base_, ignored);
        std::filesystem::create_directories(base_ / "root" / "bin");
        std::filesystem::create_directories(base_ / "root" / "gamedata");
        const std::filesystem::path game = base_ / "root" / "bin" / "game.exe";
        std::filesystem::copy_file(own_folder() / "window_owner.exe", game);
        std::wstring command_line = L"\"" + game.wstring() + L"\" " + title;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(
                game.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
            return;
        CloseHandle(started.hThread);
        process_.reset(started.hProcess);
        WaitForInputIdle(process_.get(), 10000); // idle in its message loop: its window exists
        window_ = FindWindowW(nullptr, title.c_str());
        if (window_ == nullptr) return;
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
    }
    ~running_game() {
        if (process_) {
            TerminateProcess(process_.get(), 0);
            WaitForSingleObject(process_.get(), 10000);
        }
        process_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(base_, ignored);
    }
    running_game(const running_game&) = delete;
    running_game& operator=(const running_game&) = delete;

    // Null when the game could not be started.
    HWND window() const { return window_; }
    std::filesystem::path event_file() const { return base_ / "root" / "gamedata" / "config" / "plvr.ltx"; }

    static std::filesystem::path own_folder() {
        WCHAR path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        return std::filesystem::path(path).parent_path();
    }

private:
    std::filesystem::path base_;
    wex::unique_process process_;
    HWND window_ = nullptr;
};

} // namespace test_support
