#include "event/event_file_location.h"

#include <psapi.h>
#include <shlwapi.h>

#include "frame/console.h"
#include "frame/host_shared.h"
#include "frame/scratch_string.h"

namespace plv_duskward {
namespace {

using path_buffer = WCHAR[MAX_PATH];

enum class path_outcome { found, refused, too_long };

// The outcome of asking for the executable's path; a refusal carries the line to print.
struct path_query {
    path_outcome outcome;
    const char* refusal = nullptr;
};

void report_system_error(const char* what, DWORD code) {
    wex::scratch_string text;
    uFormatSystemErrorMessage(text, code);
    wex::scratch_string line;
    line.assign(what);
    line.append(": '");
    line.append(text.get_text(), system_text_length(text.get_text()));
    line.append("'");
    report_error(line.get_text());
}

// A path that does not fit gets the system's own words for it, and nothing is created.
void report_path_too_long() { report_system_error("plv_duskward could not create file", ERROR_FILENAME_EXCED_RANGE); }

// The full query, as the game normally allows it.
path_query query_with_full_rights(DWORD process_id, path_buffer& path) {
    wex::unique_process process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id));
    if (!process) return {path_outcome::refused, "OpenProcess failed"};
    // A success leaves the last error alone: cleared first, it tells a truncation apart.
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetModuleFileNameExW(process.get(), nullptr, path, MAX_PATH);
    const DWORD error = GetLastError();
    // A truncated path would name a wrong folder. Windows shows one by filling the whole buffer, or
    // by the error, with or without a result, depending on its version.
    if (length >= MAX_PATH || error == ERROR_INSUFFICIENT_BUFFER) return {path_outcome::too_long};
    if (length == 0) return {path_outcome::refused, "GetModuleFileNameEx failed"};
    return {path_outcome::found};
}

// Games that run elevated or under an anti-cheat still grant the limited right.
path_query query_with_limited_right(DWORD process_id, path_buffer& path) {
    wex::unique_process process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    if (!process) return {path_outcome::refused};
    DWORD length = MAX_PATH;
    if (QueryFullProcessImageNameW(process.get(), 0, path, &length)) return {path_outcome::found};
    const DWORD error = GetLastError();
    return {error == ERROR_INSUFFICIENT_BUFFER ? path_outcome::too_long : path_outcome::refused};
}

// Reads the executable's path into `path`; false after the failure has been reported. When the
// limited query fails too, the line of the full query's failure is the one printed.
bool read_executable_path(DWORD process_id, path_buffer& path) {
    for (WCHAR& unit : path) unit = 0;
    path_query query = query_with_full_rights(process_id, path);
    const char* first_refusal = query.refusal;
    if (query.outcome == path_outcome::refused) {
        for (WCHAR& unit : path) unit = 0;
        query = query_with_limited_right(process_id, path);
    }
    switch (query.outcome) {
    case path_outcome::found: return true;
    case path_outcome::too_long: report_path_too_long(); return false;
    case path_outcome::refused: report_error(first_refusal); return false;
    }
    return false;
}

// The three paths of the event file's place, each within MAX_PATH.
struct event_file_paths {
    path_buffer gamedata;
    path_buffer config;
    path_buffer file;
};

// False when a combined path does not fit; then nothing may be created.
bool combine_paths(const path_buffer& executable_folder, event_file_paths& paths) {
    return PathCombineW(paths.gamedata, executable_folder, L"..\\gamedata") != nullptr &&
        PathCombineW(paths.config, paths.gamedata, L"config") != nullptr &&
        PathCombineW(paths.file, paths.config, L"plvr.ltx") != nullptr;
}

wex::unique_file create_file_at(const event_file_paths& paths) {
    // An existing config folder is what we want; any other failure shows when creating the file.
    CreateDirectoryW(paths.config, nullptr);
    wex::unique_file file(CreateFileW(paths.file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) report_system_error("plv_duskward could not create file", GetLastError());
    return file;
}

} // namespace

std::size_t system_text_length(std::string_view text) {
    std::size_t length = text.size();
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) --length;
    return length;
}

wex::unique_file create_event_file(HWND window) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (process_id == 0) {
        report_error("GetWindowThreadProcessId failed");
        return {};
    }
    path_buffer path;
    if (!read_executable_path(process_id, path)) return {};
    PathRemoveFileSpecW(path);
    event_file_paths paths{};
    if (!combine_paths(path, paths)) {
        report_path_too_long();
        return {};
    }
    if (!PathFileExistsW(paths.gamedata)) {
        report_error("gamedata does not exist");
        return {};
    }
    return create_file_at(paths);
}

} // namespace plv_duskward
