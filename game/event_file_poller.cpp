#include "game/event_file_poller.h"

#include "frame/handles.h"

#include <windows.h>

#include <stdexcept>

namespace duskward_game {
namespace {

// A document is a few hundred bytes; anything far larger is not worth holding.
constexpr std::size_t max_file_bytes = 1 << 20;

std::wstring without_last_component(const std::wstring& path) {
    std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

// The writer keeps the file open for writing and replaces it while we may hold it, so every
// kind of sharing is granted.
std::optional<std::string> read_whole_file(const std::wstring& path) {
    wex::unique_file file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return {};
        if (read == 0 || bytes.size() >= max_file_bytes) return bytes;
        bytes.append(buffer, read);
    }
}

} // namespace

std::wstring event_file_path_beside_executable() {
    std::wstring path(32768, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) throw std::runtime_error("GetModuleFileNameW failed");
    path.resize(length);
    std::wstring root = without_last_component(without_last_component(path));
    return root + L"\\gamedata\\config\\plvr.ltx";
}

std::vector<std::string> event_file_poller::poll() {
    std::optional<std::string> bytes = read_whole_file(path_);
    if (!bytes) return {};
    return observe_read(state_, *bytes);
}

} // namespace duskward_game
