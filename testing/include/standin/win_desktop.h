#pragma once
#include "standin/win_types.h"

// Top-level windows of the scripted desktop (testing/standin/desktop.h sets them up).
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND window);
// Exact, case-insensitive title match among live windows, as Windows does; the class name must
// be null here.
HWND FindWindowW(LPCWSTR class_name, LPCWSTR title);
// 0 for a window that does not exist (or no longer does), with ERROR_INVALID_WINDOW_HANDLE set.
DWORD GetWindowThreadProcessId(HWND window, LPDWORD process_id);
BOOL IsWindow(HWND window);
