// Process handles of the scripted desktop's processes, with the rights they were opened with.

#include "testing/standin/desktop.h"
#include "testing/standin/failures.h"
#include "testing/standin/handle_table.h"

namespace standin {
namespace {

class process_object final : public handle_object {
public:
    process_object(DWORD id, DWORD access) : id_(id), access_(access) {}
    DWORD id() const { return id_; }
    bool granted(DWORD rights) const { return (access_ & rights) == rights; }

private:
    DWORD id_;
    DWORD access_;
};

// The process behind the handle if it was opened with one of the right sets; null otherwise,
// with the error set.
std::shared_ptr<process_object> process_with(HANDLE handle, DWORD rights, DWORD other_rights) {
    auto process = lookup_handle_as<process_object>(handle);
    if (process && !process->granted(rights) && !(other_rights != 0 && process->granted(other_rights))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return process;
}

std::optional<std::wstring> executable_of(const process_object& process) {
    auto path = process_executable(process.id());
    if (!path) SetLastError(ERROR_INVALID_HANDLE); // the process has gone
    return path;
}

} // namespace
} // namespace standin

HANDLE OpenProcess(DWORD access, BOOL, DWORD process_id) {
    if (DWORD error = standin::failure_for(standin::failing_call::open_process, access)) {
        SetLastError(error);
        return nullptr;
    }
    if (!standin::process_executable(process_id)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return standin::register_handle(std::make_shared<standin::process_object>(process_id, access));
}

DWORD GetModuleFileNameExW(HANDLE handle, HMODULE module, LPWSTR name, DWORD size) {
    auto process = standin::process_with(handle, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, 0);
    if (!process) return 0;
    if (module != nullptr) { // only the executable's own module is known here
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (DWORD error = standin::failure_for(standin::failing_call::get_module_file_name)) {
        SetLastError(error);
        return 0;
    }
    auto path = standin::executable_of(*process);
    if (!path) return 0;
    if (size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::size_t copied = path->size() < size ? path->size() : size - 1;
    for (std::size_t i = 0; i < copied; ++i) name[i] = (*path)[i];
    name[copied] = 0;
    if (path->size() < size) return static_cast<DWORD>(copied);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

BOOL QueryFullProcessImageNameW(HANDLE handle, DWORD, LPWSTR name, PDWORD size) {
    auto process = standin::process_with(handle, PROCESS_QUERY_LIMITED_INFORMATION, PROCESS_QUERY_INFORMATION);
    if (!process) return FALSE;
    if (DWORD error = standin::failure_for(standin::failing_call::query_full_process_image_name)) {
        SetLastError(error);
        return FALSE;
    }
    auto path = standin::executable_of(*process);
    if (!path) return FALSE;
    if (size == nullptr || path->size() + 1 > *size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    for (std::size_t i = 0; i < path->size(); ++i) name[i] = (*path)[i];
    name[path->size()] = 0;
    *size = static_cast<DWORD>(path->size());
    return TRUE;
}
