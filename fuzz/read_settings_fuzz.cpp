// The host's stored settings are bytes that anyone may have edited or cut short: reading them must
// never crash, and whatever was read must survive being written and read again unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame/errors.h"
#include "frame/settings_stream.h"
#include "player/settings.h"

namespace {

class fuzz_input final : public input_stream {
public:
    fuzz_input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t read(void* buffer, std::size_t count, abort_flag&) override {
        const std::size_t got = std::min(count, size_ - position_);
        if (got != 0) std::memcpy(buffer, data_ + position_, got);
        position_ += got;
        return got;
    }
    void read_exact(void* buffer, std::size_t count, abort_flag& abort) override {
        if (read(buffer, count, abort) != count) throw plavora_io::exception_io_data_truncation();
    }
    std::uint64_t skip(std::uint64_t count, abort_flag&) override {
        const auto got = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - position_));
        position_ += got;
        return got;
    }
    void skip_exact(std::uint64_t count, abort_flag& abort) override {
        if (skip(count, abort) != count) throw plavora_io::exception_io_data_truncation();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

class collecting_output final : public output_stream {
public:
    void write(const void* buffer, std::size_t count, abort_flag&) override {
        auto begin = static_cast<const std::uint8_t*>(buffer);
        data.insert(data.end(), begin, begin + count);
    }
    std::vector<std::uint8_t> data;
};

class never_abort final : public abort_flag {
public:
    bool is_aborting() const override { return false; }
};

std::vector<std::uint8_t> written_settings() {
    collecting_output out;
    never_abort never;
    plv_duskward::write_settings(out, never);
    return out.data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plv_duskward::reset_settings_to_defaults();
    never_abort never;
    fuzz_input stored(data, size);
    try {
        plv_duskward::read_settings(stored, never);
    } catch (const plavora_io::exception_io_data_truncation&) {
        // A stream cut short: what was read before stays, which the round trip below checks.
    }
    const std::vector<std::uint8_t> first = written_settings();
    fuzz_input again(first.data(), first.size());
    plv_duskward::read_settings(again, never);
    if (written_settings() != first) std::abort();
    return 0;
}
