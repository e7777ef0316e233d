#pragma once
// The host keeps the component's settings as one opaque byte stream of records: a 16-byte
// identifier, a 4-byte little-endian size and that many value bytes. Records are matched to the
// configuration variables by identifier, so a stream written by another version of the component
// still reads: unknown records are skipped and missing ones leave their variable at its default.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "frame/host_interfaces.h"

namespace plv_duskward {

// Collects one variable's value before its record is written, since the record's size comes
// first. The buffer grows by doubling and is kept across clear(), so writing all variables costs
// a handful of allocations.
class buffer_output final : public output_stream {
public:
    // Throws plavora_io::exception_aborted when the host asks to stop, before anything is added;
    // std::bad_alloc when the length would pass what a 32-bit size holds.
    void write(const void* buffer, std::size_t count, abort_flag& abort) override;

    const std::uint8_t* data() const noexcept { return bytes_.get(); }
    std::size_t size() const noexcept { return length_; }
    std::size_t capacity() const noexcept { return capacity_; }
    // Length 0; the capacity stays.
    void clear() noexcept { length_ = 0; }

private:
    void reserve(std::size_t length);

    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t length_ = 0;
    std::size_t capacity_ = 0;
};

// The part of the host's stream that belongs to one record: a variable that reads past its
// record's end sees the end of the data instead of the next record. The exact forms throw
// plavora_io::exception_io_data_truncation when fewer bytes come than asked.
class bounded_input final : public input_stream {
public:
    bounded_input(input_stream& inner, std::uint64_t allowed) : inner_(inner), remaining_(allowed) {}

    std::size_t read(void* buffer, std::size_t count, abort_flag& abort) override;
    void read_exact(void* buffer, std::size_t count, abort_flag& abort) override;
    std::uint64_t skip(std::uint64_t count, abort_flag& abort) override;
    void skip_exact(std::uint64_t count, abort_flag& abort) override;

    std::uint64_t remaining() const noexcept { return remaining_; }

private:
    input_stream& inner_;
    std::uint64_t remaining_;
};

// One record per configuration variable, newest variable first. On abort the records written so
// far stay in the host's stream and plavora_io::exception_aborted leaves.
void write_settings(output_stream& out, abort_flag& abort);

// Reads records until the stream ends between two of them. A record too short for its variable
// leaves that variable as it was and reading goes on; a stream that ends inside a size field, or
// inside a record that must be skipped, throws plavora_io::exception_io_data_truncation, and the
// variables read before keep their new values.
void read_settings(input_stream& in, abort_flag& abort);

} // namespace plv_duskward
