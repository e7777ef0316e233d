#pragma once
// Internal to the stand-in: every kernel object behind a HANDLE is a handle_object in one
// process-wide table, so that CloseHandle, WaitForSingleObject and the leak check work the same
// for files, processes, mutexes and events.

#include <windows.h>

#include <cstddef>
#include <memory>

namespace standin {

class handle_object {
public:
    virtual ~handle_object() = default;
    // Waits for the object to be signalled; objects that cannot be waited on fail.
    virtual DWORD wait(DWORD milliseconds);
};

// Takes ownership and returns a new handle that is never null nor INVALID_HANDLE_VALUE.
HANDLE register_handle(std::shared_ptr<handle_object> object);

// The object behind a handle, or null (with ERROR_INVALID_HANDLE set) for an unknown handle.
std::shared_ptr<handle_object> lookup_handle(HANDLE handle);

template <class T>
std::shared_ptr<T> lookup_handle_as(HANDLE handle) {
    auto object = std::dynamic_pointer_cast<T>(lookup_handle(handle));
    if (!object) SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

// Handles open right now; tests compare it before and after to find leaks.
std::size_t open_handle_count();

} // namespace standin
