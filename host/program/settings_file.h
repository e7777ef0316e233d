#pragma once
// The host's configuration file for one component: the component's settings stream, kept whole.
// Written to a temporary file first and then moved over the old one, so a crash while saving never
// leaves a half-written configuration behind.

#include <cstdint>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"

namespace plavora_host {

class never_abort final : public abort_flag {
public:
    bool is_aborting() const override { return false; }
};

class memory_output final : public output_stream {
public:
    void write(const void* buffer, std::size_t count, abort_flag& abort) override;
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

class memory_input final : public input_stream {
public:
    explicit memory_input(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t read(void* buffer, std::size_t count, abort_flag& abort) override;
    void read_exact(void* buffer, std::size_t count, abort_flag& abort) override;
    std::uint64_t skip(std::uint64_t count, abort_flag& abort) override;
    void skip_exact(std::uint64_t count, abort_flag& abort) override;

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// False when the file cannot be read; a missing file is no error (`exists` tells).
bool read_file(const std::string& path, std::vector<std::uint8_t>& bytes, bool& exists);
// False, with the reason in `error`, when the file could not be written.
bool write_file_replacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

} // namespace plavora_host
