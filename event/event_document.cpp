#include "event/event_document.h"

#include <charconv>
#include <cstring>

namespace plv_duskward {
namespace {

// Room for every fixed byte and number of the document: the [info] lines with three numbers,
// and per slot its four lines with two numbers. Texts and types come on top.
constexpr std::size_t number_room = 11; // "-2147483648"
constexpr std::size_t info_room = 128 + 3 * number_room;
constexpr std::size_t slot_room = 48 + 2 * number_room;

// Writes into a buffer known to be large enough, so that rendering is a run of copies.
class writer {
public:
    explicit writer(char* out) : out_(out) {}

    writer& put(std::string_view fixed) {
        std::memcpy(out_, fixed.data(), fixed.size());
        out_ += fixed.size();
        return *this;
    }
    // Plain decimal, a minus sign for negative values; no fill, no plus sign.
    writer& number(std::int32_t value) {
        out_ = std::to_chars(out_, out_ + number_room, value).ptr;
        return *this;
    }
    // A line break inside a value would start a new line in the game's parser: it becomes a space.
    writer& value(std::string_view text) {
        for (char byte : text) *out_++ = (byte == '\r' || byte == '\n') ? ' ' : byte;
        return *this;
    }
    char* end() const { return out_; }

private:
    char* out_;
};

} // namespace

void event_document::render(const std::array<event, event_slot_count>& slots, std::uint32_t last_slot,
    std::int32_t polling_delay, bool suspend_input) {
    std::size_t room = info_room + slots.size() * slot_room;
    for (const event& slot : slots) room += slot.text.get_length() + slot.type.get_length();
    if (buffer_.size() < room + 1) buffer_.resize(room + 1);

    writer out(buffer_.data());
    out.put("[info]\r\nformat_version = 1\r\nevent_count = ")
        .number(static_cast<std::int32_t>(slots.size()))
        .put("\r\nlast_slot = ")
        .number(static_cast<std::int32_t>(last_slot))
        .put("\r\npolling_delay = ")
        .number(polling_delay)
        .put(suspend_input ? "\r\nsuspend_input = 1\r\n" : "\r\nsuspend_input = 0\r\n");
    for (std::size_t index = 0; index < slots.size(); ++index) {
        const event& slot = slots[index];
        out.put("[event@")
            .number(static_cast<std::int32_t>(index))
            .put("]\r\ntext = \"")
            .value(slot.text.view())
            .put("\"\r\ntype = ")
            .value(slot.type.view())
            .put("\r\nid = ")
            .number(slot.id)
            .put("\r\n");
    }
    *out.end() = '\0';
    length_ = static_cast<std::size_t>(out.end() - buffer_.data());
}

} // namespace plv_duskward
