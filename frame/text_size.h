#pragma once
// Length and size arithmetic shared by the text types. Buffer sizes stay within 32 bits on every
// build: the player loads the 32-bit library, and a 64-bit build must fail at the same sizes.

#include <cstddef>
#include <new>

namespace wex {

inline constexpr std::size_t max_buffer_size = 0xFFFFFFFFu;

// The length of a text that ends at its first NUL or after max_length bytes; a null text is empty.
inline std::size_t bounded_text_length(const char* text, std::size_t max_length) noexcept {
    if (text == nullptr) {
        return 0;
    }
    std::size_t length = 0;
    while (length < max_length && text[length] != '\0') {
        ++length;
    }
    return length;
}

// a + b, or std::bad_alloc when the sum would not fit a 32-bit size.
inline std::size_t checked_size_sum(std::size_t a, std::size_t b) {
    if (a > max_buffer_size || b > max_buffer_size - a) {
        throw std::bad_alloc();
    }
    return a + b;
}

} // namespace wex
