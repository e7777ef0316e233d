#include "testing/src/windows_path.h"

#include <mutex>
#include <vector>

#include "testing/standin/files.h"

namespace standin {
namespace {

std::mutex drive_lock;
std::filesystem::path drive_folder;

bool is_separator(wchar_t unit, bool slash_too) { return unit == L'\\' || (slash_too && unit == L'/'); }

std::string utf8_of(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + ((static_cast<char32_t>(text[++i]) & 0xFFFF) - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

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
        host /= utf8_of(resolved.substr(i, end - i));
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
