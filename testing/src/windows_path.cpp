#include "testing/src/windows_path.h"

#include <mutex>
#include <vector>

#include "host/shared/utf.h"
#include "testing/standin/files.h"

namespace standin {
namespace {

std::mutex drive_lock;
std::filesystem::path drive_folder;

bool is_separator(wchar_t unit, bool slash_too) { return unit == L'\\' || (slash_too && unit == L'/'); }

} // namespace

std::wstring wide_text(LPCWSTR text) {
    std::wstring out;
    if (text != nullptr)
        for (; *text != 0; ++text) out += *text;
    return out;
}

bool has_drive(const std::wstring& path) {
    return path.size() >= 2 && path[1] == L':' &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

std::wstring resolve_path(const std::wstring& path, bool slash_too) {
    std::wstring prefix;
    std::size_t i = 0;
    if (has_drive(path)) {
        prefix = path.substr(0, 2);
        i = 2;
    }
    const bool rooted = i < path.size() && is_separator(path[i], slash_too);
    std::vector<std::wstring> elements;
    while (i < path.size()) {
        while (i < path.size() && is_separator(path[i], slash_too)) ++i;
        std::size_t end = i;
        while (end < path.size() && !is_separator(path[end], slash_too)) ++end;
        std::wstring element = path.substr(i, end - i);
        i = end;
        if (element.empty() || element == L".") continue;
        if (element == L"..") {
            if (!elements.empty()) elements.pop_back();
            continue;
        }
        elements.push_back(std::move(element));
    }
    std::wstring out = prefix;
    if (rooted) out += L'\\';
    for (std::size_t k = 0; k < elements.size(); ++k) {
        if (k != 0) out += L'\\';
        out += elements[k];
    }
    return out;
}

std::optional<std::filesystem::path> to_host_path(const std::wstring& resolved) {
    if (!has_drive(resolved) || (resolved[0] != L'X' && resolved[0] != L'x')) return std::nullopt;
    if (resolved.size() > 2 && resolved[2] != L'\\') return std::nullopt; // drive-relative
    std::lock_guard<std::mutex> guard(drive_lock);
    if (drive_folder.empty()) return std::nullopt;
    std::filesystem::path host = drive_folder;
    std::size_t i = 3;
    while (i < resolved.size()) {
        std::size_t end = resolved.find(L'\\', i);
        if (end == std::wstring::npos) end = resolved.size();
        host /= plavora_shared::utf16_to_utf8(resolved.data() + i, end - i);
        i = end + 1;
    }
    return host;
}

void map_drive(const std::filesystem::path& folder) {
    std::lock_guard<std::mutex> guard(drive_lock);
    drive_folder = folder;
}

std::filesystem::path host_path(const std::wstring& windows_path) {
    return to_host_path(resolve_path(windows_path, true)).value_or(std::filesystem::path{});
}

} // namespace standin
