#include "player/time_text.h"

#include <cstdint>

#include "player/decimal_text.h"

namespace plv_duskward {

wex::text_buffer_64 time_text(double seconds) {
    const std::uint64_t tenths = rounded_count(seconds * 10.0);
    const std::uint64_t whole = tenths / 10;
    const std::uint64_t weeks = whole / 604800;
    const std::uint64_t days = whole / 86400 % 7;
    const std::uint64_t hours = whole / 3600 % 24;
    const std::uint64_t minutes = whole / 60 % 60;

    wex::text_buffer_64 text;
    if (weeks > 0) {
        append_decimal(text, weeks);
        text.append("wk ");
    }
    if (days > 0 || weeks > 0) {
        append_decimal(text, days);
        text.append("d ");
    }
    if (hours == 0 && days == 0 && weeks == 0) {
        append_decimal(text, minutes);
    } else {
        append_decimal(text, hours);
        text.append(":");
        append_decimal(text, minutes, 2);
    }
    text.append(":");
    append_decimal(text, whole % 60, 2);
    text.append(".");
    append_decimal(text, tenths % 10);
    return text;
}

} // namespace plv_duskward
