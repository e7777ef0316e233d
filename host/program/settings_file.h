#pragma once
// The host's configuration file for one component: the component's settings stream, kept whole.
// A save writes a temporary file of this process's own, flushes it to the disk and only then moves
// it over the old one, so neither a crash nor a second host saving at the same moment leaves a
// half-written or mixed configuration behind.

#include <cstdint>
#include <string>
#include <vector>

namespace plavora_host {

enum class read_outcome {
    read,      // `bytes` holds the file
    not_found, // no such file: the component starts with its defaults
    failed,    // the file is there but cannot be read; `error` says why
};

read_outcome read_file(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);
// False, with the reason in `error`, when the file could not be written; the old file then stays.
bool write_file_replacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

} // namespace plavora_host
