#pragma once
#include "standin/win_types.h"

// Processes of the scripted desktop (testing/standin/desktop.h). A process handle carries the
// rights it was opened with, and each call checks the right it needs, as Windows does.

#define PROCESS_TERMINATE 0x0001u
#define PROCESS_VM_READ 0x0010u
#define PROCESS_QUERY_INFORMATION 0x0400u
#define PROCESS_QUERY_LIMITED_INFORMATION 0x1000u

// Null with ERROR_INVALID_PARAMETER for a process that does not exist.
HANDLE OpenProcess(DWORD access, BOOL inherit_handle, DWORD process_id);
// Needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ. A path that does not fit is truncated to
// size - 1 units and a NUL, and the result is `size`.
DWORD GetModuleFileNameExW(HANDLE process, HMODULE module, LPWSTR name, DWORD size);
// Needs one of the two query rights. A path that does not fit fails with
// ERROR_INSUFFICIENT_BUFFER; on success *size is the length without the NUL.
BOOL QueryFullProcessImageNameW(HANDLE process, DWORD flags, LPWSTR name, PDWORD size);
