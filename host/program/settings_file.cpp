#include "host/program/settings_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "frame/errors.h"

namespace plavora_host {

void memory_output::write(const void* buffer, std::size_t count, abort_flag& abort) {
    if (abort.is_aborting()) throw plavora_io::exception_aborted();
    auto bytes = static_cast<const std::uint8_t*>(buffer);
    bytes_.insert(bytes_.end(), bytes, bytes + count);
}

std::size_t memory_input::read(void* buffer, std::size_t count, abort_flag&) {
    std::size_t available = std::min(count, bytes_.size() - position_);
    if (available > 0) std::memcpy(buffer, bytes_.data() + position_, available);
    position_ += available;
    return available;
}

void memory_input::read_exact(void* buffer, std::size_t count, abort_flag& abort) {
    if (read(buffer, count, abort) != count) throw plavora_io::exception_io_data_truncation();
}

std::uint64_t memory_input::skip(std::uint64_t count, abort_flag&) {
    std::uint64_t available = std::min<std::uint64_t>(count, bytes_.size() - position_);
    position_ += static_cast<std::size_t>(available);
    return available;
}

void memory_input::skip_exact(std::uint64_t count, abort_flag& abort) {
    if (skip(count, abort) != count) throw plavora_io::exception_io_data_truncation();
}

bool read_file(const std::string& path, std::vector<std::uint8_t>& bytes, bool& exists) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    exists = file != nullptr;
    if (file == nullptr) return true;
    std::uint8_t chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

bool write_file_replacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
    std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + temporary;
        return false;
    }
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
    if (!written || !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = "cannot write " + path;
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace plavora_host
