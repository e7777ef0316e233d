#include "testing/standin/desktop.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>

namespace standin {
namespace {

struct window_record {
    std::wstring title;
    DWORD process_id = 0;
    bool alive = true;
};

struct desktop_state {
    std::mutex lock;
    std::map<DWORD, std::wstring> processes;
    std::map<std::uintptr_t, window_record> windows;
    HWND foreground = nullptr;
    DWORD next_process = 1000;
    std::uintptr_t next_window = 0x10010;
    desktop_calls calls;
};

desktop_state& state() {
    static desktop_state instance;
    return instance;
}

std::uintptr_t key(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

window_record* live_window(desktop_state& s, HWND window) {
    auto found = s.windows.find(key(window));
    if (found == s.windows.end() || !found->second.alive) return nullptr;
    return &found->second;
}

bool same_title(const std::wstring& a, const wchar_t* b) {
    std::size_t length = 0;
    while (b[length] != 0) ++length;
    if (a.size() != length) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
    return true;
}

} // namespace

DWORD add_process(const std::wstring& executable_path) {
    desktop_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    DWORD id = s.next_process;
    s.next_process += 4;
    s.processes[id] = executable_path;
    return id;
}

std::optional<std::wstring> process_executable(DWORD process_id) {
    desktop_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    auto found = s.processes.find(process_id);
    if (found == s.processes.end()) return std::nullopt;
    return found->second;
}

void remove_process(DWORD process_id) {
    desktop_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.processes.erase(process_id);
}

HWND add_window(const std::wstring& title, DWORD process_id) {
    desktop_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    std::uintptr_t value = s.next_window;
    s.next_window += 0x10;
    s.windows[value] = window_record{title, process_id, true};
    return reinterpret_cast<HWND>(value);
}

void destroy_window(HWND window) {
    desktop_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (window_record* record = live_window(s, window)) record->alive = false;
    if (s.foreground == window) s.foreground = nullptr;
}

void set_foreground(HWND window) {
    desktop_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.foreground = window;
}

desktop_calls desktop_call_counts() {
    desktop_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.calls;
}

void reset_desktop() {
    desktop_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.processes.clear();
    s.windows.clear();
    s.foreground = nullptr;
    s.calls = {};
}

} // namespace standin

using standin::state;

HWND GetForegroundWindow() {
    auto& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    ++s.calls.foreground;
    return s.foreground;
}

BOOL SetForegroundWindow(HWND window) {
    auto& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (standin::live_window(s, window) == nullptr) return FALSE;
    s.foreground = window;
    return TRUE;
}

HWND FindWindowW(LPCWSTR class_name, LPCWSTR title) {
    auto& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    ++s.calls.find_window;
    if (class_name != nullptr || title == nullptr) return nullptr;
    for (auto& [value, record] : s.windows)
        if (record.alive && standin::same_title(record.title, title)) return reinterpret_cast<HWND>(value);
    return nullptr;
}

DWORD GetWindowThreadProcessId(HWND window, LPDWORD process_id) {
    auto& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    const standin::window_record* record = standin::live_window(s, window);
    if (record == nullptr) {
        if (process_id != nullptr) *process_id = 0;
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (process_id != nullptr) *process_id = record->process_id;
    return 1; // the stand-in has one thread id per window owner; its value is never used
}

BOOL IsWindow(HWND window) {
    auto& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return standin::live_window(s, window) != nullptr ? TRUE : FALSE;
}
