#include "frame/guid_text.h"

#include <cstddef>
#include <cstdint>

namespace plv_duskward {
namespace {

std::uint8_t digit_value(char digit) {
    if (digit >= '0' && digit <= '9') return static_cast<std::uint8_t>(digit - '0');
    if (digit >= 'a' && digit <= 'f') return static_cast<std::uint8_t>(digit - 'a' + 10);
    if (digit >= 'A' && digit <= 'F') return static_cast<std::uint8_t>(digit - 'A' + 10);
    return 0;
}

// The text between the optional opening brace and the first closing brace or the end.
struct guid_digits {
    const char* position;
    const char* end;

    // Reads `count` digits (an even number) into `bytes`, most significant first, after skipping
    // the dashes before the group; false when the group does not lie wholly before the end.
    bool read_group(std::uint8_t* bytes, std::size_t count, bool dashes_before) {
        if (dashes_before)
            while (position < end && *position == '-') ++position;
        if (static_cast<std::size_t>(end - position) < count) return false;
        for (std::size_t i = 0; i < count; i += 2)
            bytes[i / 2] = static_cast<std::uint8_t>(digit_value(position[i]) << 4 | digit_value(position[i + 1]));
        position += count;
        return true;
    }
};

guid_digits digits_of(const char* text) {
    if (*text == '{') ++text;
    const char* end = text;
    while (*end != '\0' && *end != '}') ++end;
    return {text, end};
}

std::uint32_t big_endian(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value = value << 8 | bytes[i];
    return value;
}

void append_hex(wex::text_buffer_64& out, std::uint32_t value, int digits) {
    static constexpr char hex[] = "0123456789ABCDEF";
    char text[8];
    for (int i = digits - 1; i >= 0; --i, value >>= 4) text[i] = hex[value & 0xF];
    out.append(text, static_cast<std::size_t>(digits));
}

} // namespace

GUID guid_from_text(const char* text) {
    GUID id{};
    if (text == nullptr) return id;
    guid_digits digits = digits_of(text);
    std::uint8_t field[4];
    if (!digits.read_group(field, 8, false)) return id;
    id.Data1 = big_endian(field, 4);
    if (!digits.read_group(field, 4, true)) return id;
    id.Data2 = static_cast<std::uint16_t>(big_endian(field, 2));
    if (!digits.read_group(field, 4, true)) return id;
    id.Data3 = static_cast<std::uint16_t>(big_endian(field, 2));
    if (!digits.read_group(id.Data4, 4, true)) return id;
    digits.read_group(id.Data4 + 2, 12, true);
    return id;
}

wex::text_buffer_64 guid_to_text(const GUID& id) {
    wex::text_buffer_64 text;
    append_hex(text, id.Data1, 8);
    text.append("-");
    append_hex(text, id.Data2, 4);
    text.append("-");
    append_hex(text, id.Data3, 4);
    text.append("-");
    for (int i = 0; i < 8; ++i) {
        if (i == 2) text.append("-");
        append_hex(text, id.Data4[i], 2);
    }
    return text;
}

} // namespace plv_duskward
