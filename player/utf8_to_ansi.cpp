#include "player/utf8_to_ansi.h"

#include <windows.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace plv_duskward {
namespace {

struct sequence_form {
    std::uint8_t mask;      // the lead's fixed bits
    std::uint8_t lead;      // their value
    std::uint32_t smallest; // below this the sequence is an overlong form
};

// Indexed by the number of bytes that follow the lead.
constexpr sequence_form forms[] = {
    {0x80, 0x00, 0},
    {0xE0, 0xC0, 0x80},
    {0xF0, 0xE0, 0x800},
    {0xF8, 0xF0, 0x10000},
    {0xFC, 0xF8, 0x200000},
    {0xFE, 0xFC, 0x4000000},
};

constexpr std::uint32_t last_code_point = 0x10FFFF;

// The count of bytes that follow a lead byte, or -1 when the byte cannot start a sequence.
int following_bytes(std::uint8_t lead) {
    for (int count = 0; count < 6; ++count)
        if ((lead & forms[count].mask) == forms[count].lead) return count;
    return -1;
}

// Decodes the sequence at text[position], advancing past it; false where decoding has to end.
bool decode_one(const std::uint8_t* text, std::size_t length, std::size_t& position, std::uint32_t& code_point) {
    const int following = following_bytes(text[position]);
    if (following < 0 || static_cast<std::size_t>(following) >= length - position) return false;
    code_point = text[position] & static_cast<std::uint8_t>(~forms[following].mask);
    for (int i = 1; i <= following; ++i) {
        const std::uint8_t byte = text[position + static_cast<std::size_t>(i)];
        if ((byte & 0xC0) != 0x80) return false;
        code_point = code_point << 6 | (byte & 0x3Fu);
    }
    // Two-byte overlong forms are exactly those with the lead 0xC0 or 0xC1.
    if (code_point < forms[following].smallest || code_point > last_code_point || code_point == 0) return false;
    position += static_cast<std::size_t>(following) + 1;
    return true;
}

} // namespace

std::vector<WCHAR> utf16_units(const char* text, std::size_t length) {
    std::vector<WCHAR> units;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text);
    std::uint32_t code_point = 0;
    for (std::size_t position = 0; position < length && decode_one(bytes, length, position, code_point);) {
        if (code_point < 0x10000) {
            units.push_back(static_cast<WCHAR>(code_point));
        } else {
            units.push_back(static_cast<WCHAR>(0xD800 + ((code_point - 0x10000) >> 10)));
            units.push_back(static_cast<WCHAR>(0xDC00 + (code_point & 0x3FF)));
        }
    }
    units.push_back(0);
    return units;
}

wex::scratch_string utf8_to_ansi(const char* text, std::size_t length) {
    wex::scratch_string converted;
    if (text == nullptr) return converted;
    const std::vector<WCHAR> units = utf16_units(text, length);
    if (units.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return converted;
    const int size = WideCharToMultiByte(CP_ACP, 0, units.data(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return converted;
    char* buffer = converted.lock_buffer(static_cast<std::size_t>(size));
    if (WideCharToMultiByte(CP_ACP, 0, units.data(), -1, buffer, size, nullptr, nullptr) == 0) buffer[0] = '\0';
    converted.unlock_buffer();
    return converted;
}

} // namespace plv_duskward
