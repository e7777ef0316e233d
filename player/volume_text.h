#pragma once

#include "frame/text_buffer.h"

namespace plv_duskward {

// A volume in dB with two decimals: "0.00", "-6.50", "-100.00"; a value below 0 keeps its "-"
// even when it rounds to 0 ("-0.00"). Not a number reads as 0 and magnitudes beyond 64 bits of
// hundredths as that largest count, so the text always fits.
wex::text_buffer_64 volume_text(double decibels);

} // namespace plv_duskward
