#include "frame/replace_all.h"

#include <cstring>
#include <new>
#include <string_view>

#include "frame/text_size.h"

namespace wex {
namespace {

std::size_t occurrences(std::string_view text, std::string_view placeholder) {
    std::size_t count = 0;
    for (std::size_t found = text.find(placeholder); found != std::string_view::npos;
         found = text.find(placeholder, found + placeholder.size()))
        ++count;
    return count;
}

// The result's length; an impossible one throws as any text too long to hold does.
std::size_t replaced_length(
    std::size_t text_length, std::size_t count, std::size_t placeholder_length, std::size_t value_length) {
    const std::size_t kept = text_length - count * placeholder_length; // the occurrences lie within the text
    if (value_length != 0 && count > (max_buffer_size - kept) / value_length) {
        throw std::bad_alloc();
    }
    const std::size_t length = kept + count * value_length;
    checked_size_sum(length, 1); // the NUL must fit too
    return length;
}

} // namespace

// Measures first and then fills one buffer, so a format of any size costs one pass and one
// allocation: a long format must not stall the thread that posts the event.
shared_text replace_all(const shared_text& text, const shared_text& placeholder, const shared_text& value) {
    const std::string_view source = text.view();
    const std::string_view needle = placeholder.view();
    const std::string_view insert = value.view();
    if (needle.empty()) {
        return text; // it would occur at every position
    }
    const std::size_t count = occurrences(source, needle);
    if (count == 0) {
        return text;
    }
    string8 result;
    char* out = result.lock_buffer(replaced_length(source.size(), count, needle.size(), insert.size()));
    std::size_t position = 0;
    for (std::size_t found = source.find(needle); found != std::string_view::npos;
         found = source.find(needle, position)) {
        std::memcpy(out, source.data() + position, found - position);
        out += found - position;
        std::memcpy(out, insert.data(), insert.size());
        out += insert.size();
        position = found + needle.size();
    }
    std::memcpy(out, source.data() + position, source.size() - position);
    result.unlock_buffer();
    return shared_text(std::move(result));
}

} // namespace wex
