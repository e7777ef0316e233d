#include "testing/standin/handle_table.h"

#include <mutex>
#include <unordered_map>

namespace standin {
namespace {

struct table {
    std::mutex lock;
    std::unordered_map<std::uintptr_t, std::shared_ptr<handle_object>> objects;
    std::uintptr_t next = 0x1000;
};

// Never destroyed: a handle left open at exit (a test of a component that leaves one to a thread
// on purpose) would otherwise close its object after the statics that object needs are gone.
table& the_table() {
    static table* instance = new table;
    return *instance;
}

thread_local DWORD last_error = ERROR_SUCCESS;

} // namespace

DWORD handle_object::wait(DWORD) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

HANDLE register_handle(std::shared_ptr<handle_object> object) {
    table& t = the_table();
    std::lock_guard<std::mutex> guard(t.lock);
    std::uintptr_t value = t.next;
    t.next += 4; // like Windows, handle values are multiples of four
    t.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<handle_object> lookup_handle(HANDLE handle) {
    table& t = the_table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto found = t.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == t.objects.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return found->second;
}

std::size_t open_handle_count() {
    table& t = the_table();
    std::lock_guard<std::mutex> guard(t.lock);
    return t.objects.size();
}

} // namespace standin

DWORD GetLastError() { return standin::last_error; }

void SetLastError(DWORD code) { standin::last_error = code; }

BOOL CloseHandle(HANDLE handle) {
    std::shared_ptr<standin::handle_object> closing; // destroyed outside the table's lock
    standin::table& t = standin::the_table();
    {
        std::lock_guard<std::mutex> guard(t.lock);
        auto found = t.objects.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == t.objects.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        closing = std::move(found->second);
        t.objects.erase(found);
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    auto object = standin::lookup_handle(handle);
    if (!object) return WAIT_FAILED;
    return object->wait(milliseconds);
}
