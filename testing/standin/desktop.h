#pragma once
// The scripted desktop of the stand-in: processes with an executable path each, top-level windows
// with a title and an owning process, and the foreground window. Tests build the scene; the
// component sees it through GetForegroundWindow, FindWindowW, GetWindowThreadProcessId and the
// process calls. Safe to use from several threads.

#include <windows.h>

#include <optional>
#include <string>

namespace standin {

// A new process whose executable is at `path` (a Windows path, e.g. L"X:\\game\\bin\\game.exe").
DWORD add_process(const std::wstring& executable_path);
// The process's executable path, or nothing for a process that does not exist.
std::optional<std::wstring> process_executable(DWORD process_id);
void remove_process(DWORD process_id);

HWND add_window(const std::wstring& title, DWORD process_id);
// The window stops existing: lookups fail as for a destroyed window; it stops being in front.
void destroy_window(HWND window);
void set_foreground(HWND window); // null: no window in front

struct desktop_calls {
    int foreground = 0;  // GetForegroundWindow
    int find_window = 0; // FindWindowW
};
desktop_calls desktop_call_counts();

// Removes every window and process and zeroes the counts.
void reset_desktop();

} // namespace standin
