#pragma once
// Decimal digits for the texts that replace the placeholders of the event formats.

#include <cstdint>

#include "frame/string_base.h"

namespace plv_duskward {

// Appends `value` in decimal, with leading zeros up to `min_digits` digits.
void append_decimal(wex::string_base& out, std::uint64_t value, int min_digits = 1);

// The unsigned count nearest to `scaled` (rounding halves up): 0 for NaN and anything below 0,
// the largest count for anything beyond it, infinity included.
std::uint64_t rounded_count(double scaled);

} // namespace plv_duskward
