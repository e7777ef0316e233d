#include "frame/string8.h"

#include "frame/errors.h"
#include "frame/text_size.h"

namespace wex {
namespace {

// The buffer size for a text of `length` bytes, given the current size.
std::size_t fitted_size(std::size_t current, std::size_t length) {
    const std::size_t needed = checked_size_sum(length, 1);
    if (current < needed) {
        return checked_size_sum(length, 17);
    }
    if (current - needed > 32) {
        return needed;
    }
    return current;
}

} // namespace

string8_t<alloc_standard>::string8_t(const char* text, std::size_t max_length) { assign(text, max_length); }

string8_t<alloc_standard>::string8_t(const string8_t& other) {
    if (other.capacity() != 0) {
        assign(other.get_text(), other.get_length());
    }
}

string8_t<alloc_standard>& string8_t<alloc_standard>::operator=(const string8_t& other) {
    assign(other.get_text(), other.get_length());
    return *this;
}

void string8_t<alloc_standard>::append(const char* text, std::size_t max_length) {
    const std::size_t count = bounded_text_length(text, max_length);
    const std::size_t length = checked_size_sum(text_.length(), count);
    text_.splice(text_.length(), text, count, fitted_size(text_.size(), length));
}

const char* string8_t<alloc_standard>::get_text() const { return text_.text(); }

void string8_t<alloc_standard>::assign(const char* text, std::size_t max_length) {
    const std::size_t count = bounded_text_length(text, max_length);
    text_.splice(0, text, count, fitted_size(text_.size(), count));
}

void string8_t<alloc_standard>::truncate(std::size_t length) {
    if (length < text_.length()) {
        text_.splice(length, nullptr, 0, fitted_size(text_.size(), length));
    }
}

std::size_t string8_t<alloc_standard>::get_length() const { return text_.length(); }

char* string8_t<alloc_standard>::lock_buffer(std::size_t length) {
    // no_limit is all ones on either width, so anything from 2^32 - 1 up counts as "no limit".
    if (length >= max_buffer_size) {
        throw exception_overflow();
    }
    return text_.zeroed(length + 1, fitted_size(text_.size(), length));
}

void string8_t<alloc_standard>::unlock_buffer() {
    const std::size_t length = text_.written_length();
    if (text_.size() != 0) {
        text_.splice(length, nullptr, 0, fitted_size(text_.size(), length));
    }
}

} // namespace wex
