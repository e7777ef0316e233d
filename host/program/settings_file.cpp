#include "host/program/settings_file.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "frame/handles.h"

namespace plavora_host {
namespace {

// Paths come as the program's arguments, in the ANSI code page.
std::wstring wide(const std::string& text) {
    const int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (count <= 0) return {};
    std::wstring out(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), count);
    out.resize(static_cast<std::size_t>(count) - 1);
    return out;
}

std::string failure(const char* what, const std::string& path, DWORD code) {
    return std::string(what) + " " + path + " (system error " + std::to_string(code) + ")";
}

bool read_all(HANDLE file, std::vector<std::uint8_t>& bytes) {
    std::uint8_t chunk[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) return false;
        if (got == 0) return true;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

bool write_all(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// A name beside the configuration that no other process uses: the process id, and a count for
// the saves of this process. CREATE_NEW refuses a name that is taken all the same.
std::string temporary_name(const std::string& path) {
    static std::atomic<unsigned> saves{0};
    return path + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++saves) + ".new";
}

} // namespace

read_outcome read_file(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
    bytes.clear();
    wex::unique_file file(CreateFileW(
        wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return read_outcome::not_found;
        error = failure("cannot open", path, code);
        return read_outcome::failed;
    }
    if (!read_all(file.get(), bytes)) {
        error = failure("cannot read", path, GetLastError());
        bytes.clear();
        return read_outcome::failed;
    }
    return read_outcome::read;
}

bool write_file_replacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
    std::string temporary;
    wex::unique_file file;
    DWORD code = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && code == ERROR_FILE_EXISTS; ++attempt) {
        temporary = temporary_name(path);
        file.reset(CreateFileW(
            wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        code = file ? ERROR_SUCCESS : GetLastError();
    }
    if (!file) {
        error = failure("cannot create", temporary, code);
        return false;
    }
    // The data must be on the disk before the name points at it, or a power cut right after
    // the move can leave an empty configuration under the old name.
    if (!write_all(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        error = failure("cannot write", temporary, GetLastError());
        file.reset();
        DeleteFileW(wide(temporary).c_str());
        return false;
    }
    file.reset();
    if (!MoveFileExW(wide(temporary).c_str(), wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = failure("cannot replace", path, GetLastError());
        DeleteFileW(wide(temporary).c_str());
        return false;
    }
    return true;
}

} // namespace plavora_host
