#pragma once
// The text of the event file, the whole contract with the game's scripts: an [info] section and
// one [event@N] section per slot, every line ending in CR LF. The game parses it line by line,
// so a CR or LF inside a text or type is written as a space: a track tag can never forge a
// section or a key. Every other byte is copied unchanged.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "event/event_queue.h"

namespace plv_duskward {

class event_document {
public:
    // Renders the ring into the document's own buffer. The buffer is kept between renders, so a
    // document no longer than one rendered before costs no allocation.
    void render(const std::array<event, event_slot_count>& slots, std::uint32_t last_slot, std::int32_t polling_delay,
        bool suspend_input);

    // NUL-terminated; valid until the next render.
    const char* c_str() const noexcept { return buffer_.c_str(); }
    std::string_view view() const noexcept { return {buffer_.data(), length_}; }

private:
    // Grows to the largest room ever needed and never shrinks, so that it is not filled anew at
    // every render; the document is its first length_ bytes, followed by a NUL.
    std::string buffer_;
    std::size_t length_ = 0;
};

} // namespace plv_duskward
