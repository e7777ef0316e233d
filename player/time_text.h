#pragma once

#include "frame/text_buffer.h"

namespace plv_duskward {

// A playing position for a person: "1:15.3", "1:02:05.0", "1d 1:01:01.0", "1wk 1d 1:01:01.0",
// rounded to tenths of a second. Positions that are negative or not a number read as 0, and
// positions beyond what 64 bits of tenths hold as that largest count, so the text always fits.
wex::text_buffer_64 time_text(double seconds);

} // namespace plv_duskward
