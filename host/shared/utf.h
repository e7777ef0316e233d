#pragma once
// UTF-16 ↔ UTF-8 for the shared library. Portable across wchar_t widths: each wchar_t holds one
// UTF-16 unit, as on Windows. Unpaired surrogates and malformed UTF-8 become U+FFFD.

#include <string>

namespace plavora_shared {

std::string utf16_to_utf8(const wchar_t* text, std::size_t length);
std::string utf16_to_utf8(const wchar_t* text); // up to the terminating NUL; null gives ""
std::wstring utf8_to_utf16(const char* text, std::size_t length);

} // namespace plavora_shared
