#include "player/volume_text.h"

#include <cstdint>

#include "player/decimal_text.h"

namespace plv_duskward {

wex::text_buffer_64 volume_text(double decibels) {
    wex::text_buffer_64 text;
    if (decibels < 0) {
        text.append("-");
        decibels = -decibels;
    }
    const std::uint64_t hundredths = rounded_count(decibels * 100.0);
    append_decimal(text, hundredths / 100);
    text.append(".");
    append_decimal(text, hundredths % 100, 2);
    return text;
}

} // namespace plv_duskward
