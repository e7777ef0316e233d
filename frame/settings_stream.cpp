#include "frame/settings_stream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

#include "frame/cfg_var.h"
#include "frame/errors.h"
#include "frame/text_size.h"

namespace plv_duskward {
namespace {

constexpr std::size_t id_size = 16;
constexpr std::size_t size_field_size = 4;

using id_bytes = std::array<std::uint8_t, id_size>;

void put_le(std::uint8_t* bytes, std::uint32_t value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i, value >>= 8) bytes[i] = static_cast<std::uint8_t>(value);
}

std::uint32_t get_le32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The identifier as it is stored: the three fields little-endian, then the eight bytes in order.
id_bytes stored_form(const GUID& id) {
    id_bytes bytes{};
    put_le(bytes.data(), id.Data1, 4);
    put_le(bytes.data() + 4, id.Data2, 2);
    put_le(bytes.data() + 6, id.Data3, 2);
    std::memcpy(bytes.data() + 8, id.Data4, 8);
    return bytes;
}

// If two variables ever shared an identifier, the newer one would take the record.
std::map<id_bytes, cfg_var_reader*> readers_by_id() {
    std::map<id_bytes, cfg_var_reader*> readers;
    for (cfg_var_reader* reader = cfg_var_reader::first_reader(); reader != nullptr; reader = reader->next)
        readers.emplace(stored_form(reader->var_id), reader);
    return readers;
}

void read_record_value(cfg_var_reader& reader, input_stream& in, std::uint32_t size, abort_flag& abort) {
    bounded_input record(in, size);
    try {
        reader.read_value(record, size, abort);
    } catch (const plavora_io::exception_io_data&) {
        // A record too short for its kind: the variable keeps what it held, and the settings
        // after it are still worth reading.
    }
    if (record.remaining() != 0) record.skip_exact(record.remaining(), abort);
}

} // namespace

void buffer_output::reserve(std::size_t length) {
    if (length <= capacity_) return;
    std::size_t capacity = capacity_ == 0 ? 1 : capacity_;
    while (capacity < length) capacity = capacity > wex::max_buffer_size / 2 ? wex::max_buffer_size : capacity * 2;
    auto bytes = std::make_unique<std::uint8_t[]>(capacity);
    if (length_ != 0) std::memcpy(bytes.get(), bytes_.get(), length_);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
}

void buffer_output::write(const void* buffer, std::size_t count, abort_flag& abort) {
    if (abort.is_aborting()) throw plavora_io::exception_aborted();
    const std::size_t length = wex::checked_size_sum(length_, count);
    reserve(length);
    if (count != 0) std::memcpy(bytes_.get() + length_, buffer, count);
    length_ = length;
}

std::size_t bounded_input::read(void* buffer, std::size_t count, abort_flag& abort) {
    const std::size_t asked = static_cast<std::size_t>(std::min<std::uint64_t>(count, remaining_));
    const std::size_t got = asked == 0 ? 0 : inner_.read(buffer, asked, abort);
    remaining_ -= std::min<std::uint64_t>(got, remaining_);
    return got;
}

void bounded_input::read_exact(void* buffer, std::size_t count, abort_flag& abort) {
    if (read(buffer, count, abort) != count) throw plavora_io::exception_io_data_truncation();
}

std::uint64_t bounded_input::skip(std::uint64_t count, abort_flag& abort) {
    const std::uint64_t asked = std::min(count, remaining_);
    const std::uint64_t got = asked == 0 ? 0 : inner_.skip(asked, abort);
    remaining_ -= std::min(got, remaining_);
    return got;
}

void bounded_input::skip_exact(std::uint64_t count, abort_flag& abort) {
    if (skip(count, abort) != count) throw plavora_io::exception_io_data_truncation();
}

void write_settings(output_stream& out, abort_flag& abort) {
    buffer_output value;
    for (cfg_var_writer* writer = cfg_var_writer::first_writer(); writer != nullptr; writer = writer->next) {
        value.clear();
        writer->write_value(value, abort);
        const id_bytes id = stored_form(writer->var_id);
        std::uint8_t size[size_field_size];
        put_le(size, static_cast<std::uint32_t>(value.size()), size_field_size);
        out.write(id.data(), id.size(), abort);
        out.write(size, sizeof size, abort);
        if (value.size() != 0) out.write(value.data(), value.size(), abort);
    }
}

void read_settings(input_stream& in, abort_flag& abort) {
    const std::map<id_bytes, cfg_var_reader*> readers = readers_by_id();
    for (;;) {
        id_bytes id{};
        if (in.read(id.data(), id.size(), abort) < id.size()) return;
        std::uint8_t size_field[size_field_size];
        in.read_exact(size_field, sizeof size_field, abort);
        const std::uint32_t size = get_le32(size_field);
        auto found = readers.find(id);
        if (found == readers.end()) {
            in.skip_exact(size, abort);
            continue;
        }
        read_record_value(*found->second, in, size, abort);
    }
}

} // namespace plv_duskward
