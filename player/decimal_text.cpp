#include "player/decimal_text.h"

#include <cmath>
#include <limits>

namespace plv_duskward {

void append_decimal(wex::string_base& out, std::uint64_t value, int min_digits) {
    char digits[24];
    int count = 0;
    do {
        digits[sizeof digits - 1 - count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 || count < min_digits);
    out.append(digits + sizeof digits - count, static_cast<std::size_t>(count));
}

std::uint64_t rounded_count(double scaled) {
    const double rounded = std::floor(scaled + 0.5);
    if (!(rounded >= 0.0)) return 0;
    // 2^64 is the first double that no 64-bit count holds.
    if (rounded >= 18446744073709551616.0) return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(rounded);
}

} // namespace plv_duskward
