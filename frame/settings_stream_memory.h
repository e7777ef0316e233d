#pragma once
// A settings stream held in memory, for whoever keeps the stored settings as bytes: the stand-in
// host, which loads and saves them with a file, and the programs that feed the component bytes
// of their own. The exact forms throw plavora_io::exception_io_data_truncation when short.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "frame/errors.h"
#include "frame/host_interfaces.h"

class never_abort final : public abort_flag {
public:
    bool is_aborting() const override { return false; }
};

// Appends every write; it never asks the abort flag, so only the component's own questions count.
class memory_output final : public output_stream {
public:
    void write(const void* buffer, std::size_t count, abort_flag&) override {
        const auto* begin = static_cast<const std::uint8_t*>(buffer);
        bytes_.insert(bytes_.end(), begin, begin + count);
    }
    const std::vector<std::uint8_t>& bytes() const noexcept { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

class memory_input final : public input_stream {
public:
    explicit memory_input(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    memory_input(const std::uint8_t* data, std::size_t size) : bytes_(data, data + size) {}

    std::size_t read(void* buffer, std::size_t count, abort_flag&) override {
        const std::size_t got = std::min(count, bytes_.size() - position_);
        if (got != 0) std::memcpy(buffer, bytes_.data() + position_, got);
        position_ += got;
        return got;
    }
    void read_exact(void* buffer, std::size_t count, abort_flag& abort) override {
        if (read(buffer, count, abort) != count) throw plavora_io::exception_io_data_truncation();
    }
    std::uint64_t skip(std::uint64_t count, abort_flag&) override {
        const auto got = static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes_.size() - position_));
        position_ += got;
        return got;
    }
    void skip_exact(std::uint64_t count, abort_flag& abort) override {
        if (skip(count, abort) != count) throw plavora_io::exception_io_data_truncation();
    }

    std::size_t position() const noexcept { return position_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};
