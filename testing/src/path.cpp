// The shell's path helpers, with the MAX_PATH limits they have on Windows.

#include "testing/src/windows_path.h"

#include <sys/stat.h>

namespace {

void copy_out(const std::wstring& text, LPWSTR destination) {
    for (std::size_t i = 0; i < text.size(); ++i) destination[i] = text[i];
    destination[text.size()] = 0;
}

} // namespace

BOOL PathRemoveFileSpecW(LPWSTR path) {
    if (path == nullptr) return FALSE;
    std::wstring text = standin::wide_text(path);
    const std::size_t last = text.rfind(L'\\');
    std::size_t cut;
    if (last == std::wstring::npos) {
        cut = standin::has_drive(text) ? 2 : 0;
    } else {
        const bool after_root = last == 0 || (last == 2 && standin::has_drive(text));
        cut = after_root ? last + 1 : last; // the root's backslash stays
    }
    if (cut >= text.size()) return FALSE;
    path[cut] = 0;
    return TRUE;
}

LPWSTR PathCombineW(LPWSTR destination, LPCWSTR directory, LPCWSTR file) {
    if (destination == nullptr) return nullptr;
    const std::wstring dir = standin::wide_text(directory);
    const std::wstring name = standin::wide_text(file);
    std::wstring joined;
    if (standin::has_drive(name)) joined = name;
    else if (!name.empty() && name[0] == L'\\') joined = dir.substr(0, standin::has_drive(dir) ? 2 : 0) + name;
    else if (name.empty()) joined = dir;
    else if (dir.empty()) joined = name;
    else joined = dir + L"\\" + name;
    std::wstring resolved = standin::resolve_path(joined, false);
    if (resolved.size() == 2 && standin::has_drive(resolved)) resolved += L'\\'; // "X:" is "X:\"
    if (resolved.size() >= MAX_PATH) {
        destination[0] = 0;
        return nullptr;
    }
    copy_out(resolved, destination);
    return destination;
}

BOOL PathFileExistsW(LPCWSTR path) {
    const std::wstring text = standin::wide_text(path);
    if (text.empty() || text.size() >= MAX_PATH) return FALSE;
    auto host = standin::to_host_path(standin::resolve_path(text, true));
    struct stat status {};
    return host && ::stat(host->c_str(), &status) == 0 ? TRUE : FALSE;
}
