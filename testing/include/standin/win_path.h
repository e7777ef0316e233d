#pragma once
#include "standin/win_types.h"

// The path helpers, on paths of at most MAX_PATH units including the NUL.

// Removes the last element and its backslash ("X:\a\b.exe" → "X:\a", "X:\b.exe" → "X:\");
// false when there was nothing to remove.
BOOL PathRemoveFileSpecW(LPWSTR path);
// Joins and resolves "." and ".." (never above the drive's root). A `file` that is absolute
// stands alone. Null, with `destination` emptied, when the result does not fit MAX_PATH.
LPWSTR PathCombineW(LPWSTR destination, LPCWSTR directory, LPCWSTR file);
// True for an existing file or folder.
BOOL PathFileExistsW(LPCWSTR path);
