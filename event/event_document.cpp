#include "event/event_document.h"

#include <charconv>

namespace plv_duskward {
namespace {

constexpr std::string_view line_end = "\r\n";

// Plain decimal, a minus sign for negative values; no fill, no plus sign.
std::string_view decimal(std::int64_t value, char (&digits)[24]) {
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    (void)error; // 24 characters hold every 64-bit value
    return {digits, static_cast<std::size_t>(end - digits)};
}

} // namespace

void event_document::render(const std::array<event, event_slot_count>& slots,
                            std::uint32_t last_slot, std::int32_t polling_delay,
                            bool suspend_input) {
    text_.clear(); // keeps the buffer
    text_.append("[info]").append(line_end);
    append_line("format_version = ", 1);
    append_line("event_count = ", static_cast<std::int64_t>(event_slot_count));
    append_line("last_slot = ", static_cast<std::int32_t>(last_slot));
    append_line("polling_delay = ", polling_delay);
    append_line("suspend_input = ", suspend_input ? 1 : 0);
    for (std::size_t index = 0; index < slots.size(); ++index) append_slot(index, slots[index]);
}

void event_document::append_line(std::string_view key, std::int64_t value) {
    char digits[24];
    text_.append(key).append(decimal(value, digits)).append(line_end);
}

void event_document::append_slot(std::size_t index, const event& slot) {
    char digits[24];
    text_.append("[event@")
        .append(decimal(static_cast<std::int32_t>(index), digits))
        .append("]")
        .append(line_end);
    text_.append("text = \"");
    append_value_text(slot.text.view());
    text_.append("\"").append(line_end);
    text_.append("type = ");
    append_value_text(slot.type.view());
    text_.append(line_end);
    append_line("id = ", slot.id);
}

void event_document::append_value_text(std::string_view value) {
    const std::size_t start = text_.size();
    text_.append(value);
    for (std::size_t i = start; i < text_.size(); ++i)
        if (text_[i] == '\r' || text_[i] == '\n') text_[i] = ' ';
}

} // namespace plv_duskward
