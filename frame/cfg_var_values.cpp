#include <cstring>

#include "frame/cfg_var.h"
#include "frame/scratch_string.h"

// How each kind of variable stores its value in a record: a boolean as its one byte, an integer
// as four bytes, little-endian, a text as its UTF-8 bytes with neither terminator nor length.

namespace {

constexpr std::size_t text_read_size = 256;

} // namespace

void cfg_int_t<bool>::read_value(input_stream& in, std::uint32_t, abort_flag& abort) {
    std::uint8_t byte = 0;
    in.read_exact(&byte, 1, abort);
    byte_.store(byte, std::memory_order_relaxed);
}

void cfg_int_t<bool>::write_value(output_stream& out, abort_flag& abort) {
    std::uint8_t byte = stored_byte();
    out.write(&byte, 1, abort);
}

void cfg_int_t<int>::read_value(input_stream& in, std::uint32_t, abort_flag& abort) {
    std::uint8_t bytes[4] = {};
    in.read_exact(bytes, sizeof bytes, abort);
    std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    set(static_cast<std::int32_t>(value));
}

void cfg_int_t<int>::write_value(output_stream& out, abort_flag& abort) {
    std::uint32_t value = static_cast<std::uint32_t>(get());
    std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    out.write(bytes, sizeof bytes, abort);
}

// Reads in fixed pieces until one comes back short; within each piece the text ends at its first
// NUL, and what a cut-off record delivered is kept.
void cfg_string::read_value(input_stream& in, std::uint32_t, abort_flag& abort) {
    wex::scratch_string collected;
    char piece[text_read_size];
    for (;;) {
        std::size_t got = in.read(piece, sizeof piece, abort);
        collected.append(piece, got);
        if (got < sizeof piece) break;
    }
    assign(collected.get_text(), collected.get_length());
}

void cfg_string::write_value(output_stream& out, abort_flag& abort) {
    const std::lock_guard<std::mutex> guard(lock_);
    out.write(get_text(), get_length(), abort);
}

void cfg_string::append(const char* text, std::size_t max_length) {
    const std::lock_guard<std::mutex> guard(lock_);
    wex::string8::append(text, max_length);
}

void cfg_string::assign(const char* text, std::size_t max_length) {
    const std::lock_guard<std::mutex> guard(lock_);
    wex::string8::assign(text, max_length);
}

void cfg_string::truncate(std::size_t length) {
    const std::lock_guard<std::mutex> guard(lock_);
    wex::string8::truncate(length);
}

char* cfg_string::lock_buffer(std::size_t length) { return being_written_.lock_buffer(length); }

void cfg_string::unlock_buffer() {
    being_written_.unlock_buffer();
    assign(being_written_.get_text(), being_written_.get_length());
    being_written_ = wex::string8();
}
