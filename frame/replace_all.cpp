#include "frame/replace_all.h"

namespace wex {

shared_text replace_all(const shared_text& text, const shared_text& placeholder, const shared_text& value) {
    const std::size_t placeholder_length = placeholder.get_length();
    if (placeholder_length == 0) {
        return text; // it would occur at every position
    }
    shared_text result;
    std::size_t position = 0;
    for (std::size_t found = text.find(placeholder.view(), position); found != shared_text::not_found;
         found = text.find(placeholder.view(), position)) {
        result = result + shared_text(text.get_text() + position, found - position) + value;
        position = found + placeholder_length;
    }
    return result + text.rest_from(position);
}

} // namespace wex
