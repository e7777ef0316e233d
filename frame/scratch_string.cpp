#include "frame/scratch_string.h"

#include "frame/errors.h"
#include "frame/text_size.h"

namespace wex {
namespace {

// The buffer size for a text of `length` bytes: the current size, doubled as often as needed.
std::size_t grown_size(std::size_t current, std::size_t length) {
    const std::size_t needed = checked_size_sum(length, 1);
    std::size_t size = current != 0 ? current : 1;
    while (size < needed) {
        size = checked_size_sum(size, size);
    }
    return size;
}

} // namespace

scratch_string::scratch_string(const char* text, std::size_t max_length) { assign(text, max_length); }

scratch_string::scratch_string(const scratch_string& other) {
    if (other.capacity() != 0) {
        assign(other.get_text(), other.get_length());
    }
}

scratch_string& scratch_string::operator=(const scratch_string& other) {
    assign(other.get_text(), other.get_length());
    return *this;
}

void scratch_string::append(const char* text, std::size_t max_length) {
    const std::size_t count = bounded_text_length(text, max_length);
    const std::size_t length = checked_size_sum(text_.length(), count);
    text_.splice(text_.length(), text, count, grown_size(text_.size(), length));
}

const char* scratch_string::get_text() const { return text_.text(); }

void scratch_string::assign(const char* text, std::size_t max_length) {
    const std::size_t count = bounded_text_length(text, max_length);
    text_.splice(0, text, count, grown_size(text_.size(), count));
}

void scratch_string::truncate(std::size_t length) {
    if (length < text_.length()) {
        text_.splice(length, nullptr, 0, text_.size());
    }
}

std::size_t scratch_string::get_length() const { return text_.length(); }

char* scratch_string::lock_buffer(std::size_t length) {
    // no_limit is all ones on either width, so anything from 2^32 - 1 up counts as "no limit".
    if (length >= max_buffer_size) {
        throw exception_overflow();
    }
    return text_.zeroed(length + 1, grown_size(text_.size(), length));
}

void scratch_string::unlock_buffer() {
    if (text_.size() != 0) {
        text_.splice(text_.written_length(), nullptr, 0, text_.size());
    }
}

} // namespace wex
