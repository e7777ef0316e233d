#include "game/key_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace duskward_game {
namespace {

struct named_key {
    std::string_view name;
    int virtual_key;
};

// Virtual-key numbers as Windows defines them.
// clang-format off
constexpr named_key named_keys[] = {
    {"backspace", 0x08}, {"tab", 0x09}, {"enter", 0x0D}, {"return", 0x0D},
    {"shift", 0x10}, {"ctrl", 0x11}, {"control", 0x11}, {"alt", 0x12}, {"menu", 0x12},
    {"pause", 0x13}, {"capslock", 0x14}, {"escape", 0x1B}, {"esc", 0x1B}, {"space", 0x20},
    {"pageup", 0x21}, {"pagedown", 0x22}, {"end", 0x23}, {"home", 0x24},
    {"left", 0x25}, {"up", 0x26}, {"right", 0x27}, {"down", 0x28},
    {"insert", 0x2D}, {"delete", 0x2E}, {"lwin", 0x5B}, {"rwin", 0x5C}, {"apps", 0x5D},
    {"multiply", 0x6A}, {"add", 0x6B}, {"subtract", 0x6D}, {"decimal", 0x6E}, {"divide", 0x6F},
    {"numlock", 0x90}, {"scroll", 0x91},
    {"lshift", 0xA0}, {"rshift", 0xA1}, {"lctrl", 0xA2}, {"rctrl", 0xA3},
    {"lalt", 0xA4}, {"ralt", 0xA5},
    {"volume_mute", 0xAD}, {"volume_down", 0xAE}, {"volume_up", 0xAF},
    {"media_next", 0xB0}, {"media_prev", 0xB1}, {"media_stop", 0xB2}, {"media_play", 0xB3},
};
// clang-format on

constexpr int extended_keys[] = {
    0x21,
    0x22,
    0x23,
    0x24,
    0x25,
    0x26,
    0x27,
    0x28,
    0x2D,
    0x2E,
    0x5B,
    0x5C,
    0x5D,
    0x6F,
    0x90,
    0xA3,
    0xA5,
    0xAD,
    0xAE,
    0xAF,
    0xB0,
    0xB1,
    0xB2,
    0xB3,
};

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::optional<int> parse_number(std::string_view text, int base) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    if (value < 1 || value > 254) return {};
    return value;
}

// f1 .. f24 are the consecutive virtual keys from 0x70.
std::optional<int> function_key(std::string_view name) {
    if (name.size() < 2 || name[0] != 'f' || name[1] == '0') return {};
    std::optional<int> number = parse_number(name.substr(1), 10);
    if (!number || *number > 24) return {};
    return 0x70 + *number - 1;
}

std::optional<int> numpad_key(std::string_view name) {
    constexpr std::string_view prefix = "numpad";
    if (name.size() != prefix.size() + 1 || !name.starts_with(prefix)) return {};
    char digit = name.back();
    if (digit < '0' || digit > '9') return {};
    return 0x60 + (digit - '0');
}

} // namespace

std::optional<int> virtual_key_from_name(std::string_view name) {
    std::string key = lower(name);
    if (key.empty()) return {};
    if (key.size() == 1) {
        char c = key[0];
        if (c >= 'a' && c <= 'z') return 'A' + (c - 'a');
        if (c >= '0' && c <= '9') return c;
        return {};
    }
    if (key.starts_with("0x")) return parse_number(std::string_view(key).substr(2), 16);
    if (std::isdigit(static_cast<unsigned char>(key[0]))) return parse_number(key, 10);
    for (const named_key& entry : named_keys) {
        if (entry.name == key) return entry.virtual_key;
    }
    if (auto function = function_key(key)) return function;
    return numpad_key(key);
}

bool is_extended_key(int virtual_key) {
    return std::find(std::begin(extended_keys), std::end(extended_keys), virtual_key) != std::end(extended_keys);
}

} // namespace duskward_game
