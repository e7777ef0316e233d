#include <windows.h>

#include <cstddef>

namespace {

// Code page 1252 above 0x7F where it differs from Latin-1: the byte for each of 0x80..0x9F,
// indexed by byte - 0x80. The five bytes that 1252 leaves undefined map to the C1 controls of the
// same value, as Windows does.
// clang-format off
constexpr char16_t high_range[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

// The 1252 byte for a UTF-16 unit, or -1 when the code page lacks it.
int byte_for(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
    for (int i = 0; i < 32; ++i)
        if (high_range[i] == unit) return 0x80 + i;
    return -1;
}

} // namespace

int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR wide, int length, LPSTR multi, int size,
    LPCSTR default_char, LPBOOL used_default) {
    if (code_page != CP_ACP && code_page != 1252) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((flags & ~WC_NO_BEST_FIT_CHARS) != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    if (wide == nullptr || length == 0 || length < -1 || size < 0 || (size > 0 && multi == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::size_t count = 0;
    if (length == -1) {
        while (wide[count] != 0) ++count;
        ++count; // the NUL belongs to the converted text
    } else {
        count = static_cast<std::size_t>(length);
    }
    if (size == 0) return static_cast<int>(count);
    if (count > static_cast<std::size_t>(size)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const char fallback = default_char != nullptr ? *default_char : '?';
    bool defaulted = false;
    for (std::size_t i = 0; i < count; ++i) {
        int byte = byte_for(static_cast<char16_t>(wide[i] & 0xFFFF));
        if (byte < 0) defaulted = true;
        multi[i] = byte < 0 ? fallback : static_cast<char>(byte);
    }
    if (used_default != nullptr) *used_default = defaulted ? TRUE : FALSE;
    return static_cast<int>(count);
}
