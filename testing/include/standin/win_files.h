#pragma once
#include "standin/win_types.h"

// Files and folders on top of POSIX. Windows paths name the stand-in's drive X: (see
// testing/standin/files.h); backslashes, "." and ".." are resolved, and paths longer than
// MAX_PATH fail as they do without long-path support.

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u

#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u

#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u

#define FILE_ATTRIBUTE_NORMAL 0x00000080u

#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu

#define ERROR_FILE_EXISTS 80u
#define ERROR_NEGATIVE_SEEK 131u

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share_mode, LPSECURITY_ATTRIBUTES attributes, DWORD disposition,
    DWORD flags, HANDLE template_file);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD read, LPOVERLAPPED overlapped);
// The high part is used only when `distance_high` is not null; otherwise `distance` is signed.
DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distance_high, DWORD method);
BOOL SetEndOfFile(HANDLE file);
// Folders longer than MAX_PATH - 12 units fail, as on Windows.
BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES attributes);
