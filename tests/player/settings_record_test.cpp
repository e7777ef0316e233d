// What the host stores for each setting. A change of an identifier or of a default here means that
// users' stored settings are lost or read as something else: it must never happen by accident.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frame/settings_stream.h"
#include "frame/settings_stream_memory.h"
#include "player/settings.h"

namespace {

using bytes = std::vector<std::uint8_t>;

struct stored_setting {
    const char* name;
    const char* identifier; // as guid_to_text writes it
    bytes value;            // the default's bytes
};

bytes text(const char* value) { return bytes(value, value + std::char_traits<char>::length(value)); }

// In the order of the stream: the setting made last comes first.
const stored_setting stored_settings[] = {
    {.name = "volume text", .identifier = "B446BC1F-F0F7-455F-AC8F-16C1BA8A3582", .value = text("volume %volume% dB")},
    {.name = "volume switch", .identifier = "4ACEEBFC-CFB6-465B-8106-3D91429FD5B0", .value = {1}},
    {.name = "seek text", .identifier = "593DD6C5-0C22-4727-8A9C-F4D2CF088094", .value = text("seek to %time%")},
    {.name = "seek switch", .identifier = "5AFE4BCD-C98B-41F2-A0AE-F8974390DBB7", .value = {1}},
    {.name = "stop text", .identifier = "4D898CF2-1340-4708-80F0-BF98DC1FF054", .value = text("stop")},
    {.name = "stop switch", .identifier = "AAF45FB8-A732-4E02-AC8D-38A7249872C7", .value = {1}},
    {.name = "pause text", .identifier = "5B00F2E2-7E9A-4C25-A47E-D828F0A3921A", .value = text("pause")},
    {.name = "pause switch", .identifier = "BB7CE3A6-566C-4DF7-B6EE-1075BC9041FC", .value = {1}},
    {.name = "track change text",
        .identifier = "E91A2D49-371D-4CF9-BBB5-EAD834BAC0F8",
        .value = text("%artist%: %title%")},
    {.name = "track change switch", .identifier = "CF862BC5-9A50-47C8-AE7A-58FA365DDF73", .value = {1}},
    {.name = "idle delay", .identifier = "A47FA7A8-D234-4103-A049-F9E269442194", .value = {0xD0, 0x07, 0, 0}},
    {.name = "control delay", .identifier = "A03996AF-66CD-4DAC-BA13-01FD4AA6A5A1", .value = {0xE8, 0x03, 0, 0}},
    {.name = "suspend input", .identifier = "4A1631D5-1A87-4C85-A5A9-E2D37BC27155", .value = {1}},
};

std::uint8_t hex_byte(const char* two) {
    auto digit = [](char c) { return static_cast<std::uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10); };
    return static_cast<std::uint8_t>(digit(two[0]) << 4 | digit(two[1]));
}

// The record's 16 identifier bytes: the three fields little-endian, then the last eight in order.
bytes identifier_bytes(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != '-') digits += c;
    bytes in_text_order;
    for (std::size_t i = 0; i < 32; i += 2) in_text_order.push_back(hex_byte(&digits[i]));
    const bytes& t = in_text_order;
    bytes out = {t[3], t[2], t[1], t[0], t[5], t[4], t[7], t[6]};
    out.insert(out.end(), t.begin() + 8, t.end());
    return out;
}

bytes record_of(const stored_setting& setting) {
    bytes out = identifier_bytes(setting.identifier);
    const auto size = static_cast<std::uint32_t>(setting.value.size());
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(size >> shift));
    out.insert(out.end(), setting.value.begin(), setting.value.end());
    return out;
}

TEST(StoredSettings, EachSettingIsWrittenUnderItsOwnIdentifierWithItsDefault) {
    plv_duskward::reset_settings_to_defaults();
    memory_output out;
    never_abort never;
    plv_duskward::write_settings(out, never);

    std::size_t at = 0;
    for (const stored_setting& setting : stored_settings) {
        SCOPED_TRACE(setting.name);
        const bytes expected = record_of(setting);
        ASSERT_LE(at + expected.size(), out.bytes().size());
        EXPECT_EQ(bytes(out.bytes().begin() + static_cast<std::ptrdiff_t>(at),
                      out.bytes().begin() + static_cast<std::ptrdiff_t>(at + expected.size())),
            expected);
        at += expected.size();
    }
    EXPECT_EQ(at, out.bytes().size()) << "no record beyond the thirteen";
}

} // namespace
