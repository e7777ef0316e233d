#include "host/shared/utf.h"

#include <cstdint>

namespace plavora_shared {
namespace {

constexpr char32_t replacement = 0xFFFD;

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void append_utf16(std::wstring& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<wchar_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (c >> 10));
    out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
}

// Decodes one UTF-8 sequence at text[i], advancing i past it.
char32_t decode_utf8(const unsigned char* text, std::size_t length, std::size_t& i) {
    unsigned char lead = text[i++];
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4) return replacement;
    char32_t c = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= length || (text[i] & 0xC0) != 0x80) return replacement;
        c = (c << 6) | (text[i++] & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return replacement;
    return c;
}

} // namespace

std::string utf16_to_utf8(const wchar_t* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char32_t unit = static_cast<char32_t>(text[i]) & 0xFFFF;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length) {
            char32_t low = static_cast<char32_t>(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                append_utf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        append_utf8(out, unit >= 0xD800 && unit <= 0xDFFF ? replacement : unit);
    }
    return out;
}

std::string utf16_to_utf8(const wchar_t* text) {
    if (text == nullptr) return {};
    std::size_t length = 0;
    while (text[length] != 0) ++length;
    return utf16_to_utf8(text, length);
}

std::wstring utf8_to_utf16(const char* text, std::size_t length) {
    std::wstring out;
    auto bytes = reinterpret_cast<const unsigned char*>(text);
    for (std::size_t i = 0; i < length;) append_utf16(out, decode_utf8(bytes, length, i));
    return out;
}

} // namespace plavora_shared
