#pragma once
// Internal to the stand-in: Windows path rules shared by the path helpers and the files.
// Texts hold one UTF-16 unit per wchar_t, so no C library wide-string function is used on them.

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace standin {

std::wstring wide_text(LPCWSTR text); // up to the NUL; null gives ""

// "X:" followed by the rest, or nothing: the stand-in knows drive-letter paths only.
bool has_drive(const std::wstring& path);

// Resolves "." and "..", folds runs of separators into one backslash; ".." never climbs above
// the drive's root. `slash_too` lets "/" separate elements, as the file calls allow.
std::wstring resolve_path(const std::wstring& path, bool slash_too);

// The host path for a resolved path on drive X:, or nothing.
std::optional<std::filesystem::path> to_host_path(const std::wstring& resolved);

} // namespace standin
