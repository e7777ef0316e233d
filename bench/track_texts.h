#pragma once
// Track texts of one length, as a playlist of similar tags gives them: posting them in turn keeps
// every slot's text the same size, so a post measures the work and not the growth of a buffer.

#include <cstddef>

namespace bench_texts {

inline const char* const texts[] = {
    "Some Artist: Title No. 1",
    "Some Artist: Title No. 2",
    "Some Artist: Title No. 3",
    "Some Artist: Title No. 4",
    "Some Artist: Title No. 5",
    "Some Artist: Title No. 6",
    "Some Artist: Title No. 7",
    "Some Artist: Title No. 8",
    "Some Artist: Title No. 9",
};
inline constexpr std::size_t text_count = sizeof texts / sizeof texts[0];

} // namespace bench_texts
