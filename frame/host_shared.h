#pragma once
// Functions of the host's shared library, which every component of the player imports. They live
// in the host, not here: the component only declares them.

#include <windows.h>

#include <cstdarg>

#include "frame/string_base.h"

#if defined(_WIN32) && defined(PLAVORA_SHARED_BUILDING)
#define PLAVORA_SHARED_API __declspec(dllexport)
#elif defined(_WIN32)
#define PLAVORA_SHARED_API __declspec(dllimport)
#else
#define PLAVORA_SHARED_API
#endif

extern "C" {

// printf-style formatting into UTF-8; "%ls" takes a wide (UTF-16) text.
PLAVORA_SHARED_API void uPrintfV(wex::string_base& out, const char* format, va_list args);

// The control's text as UTF-8; false when the control does not exist.
PLAVORA_SHARED_API BOOL uGetDlgItemText(HWND dialog, UINT control_id, wex::string_base& out);
PLAVORA_SHARED_API BOOL uSetDlgItemText(HWND dialog, UINT control_id, const char* text);

// A mutex; the name is UTF-8 or null. Returns null on failure, with GetLastError set.
PLAVORA_SHARED_API HANDLE uCreateMutex(LPSECURITY_ATTRIBUTES attributes, BOOL initial_owner, const char* name);

// The system's text for a Win32 error code, as UTF-8 without a trailing line break.
PLAVORA_SHARED_API BOOL uFormatSystemErrorMessage(wex::string_base& out, DWORD code);

// The host's description of where it is running, for bug reports; never null, possibly "".
PLAVORA_SHARED_API const char* uGetCallStackPath();

} // extern "C"
