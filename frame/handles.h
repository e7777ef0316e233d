#pragma once
// One small move-only owner per kind of OS handle, so that no path — an early return, an
// exception — can leak one or close one twice. Each kind has its own type and its own invalid
// value: files use INVALID_HANDLE_VALUE, the others null.

#include <windows.h>

#include <utility>

namespace wex {

template <class Kind>
class unique_handle {
public:
    unique_handle() = default;
    explicit unique_handle(HANDLE handle) : handle_(handle) {}
    unique_handle(unique_handle&& other) noexcept : handle_(other.release()) {}
    unique_handle& operator=(unique_handle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    ~unique_handle() { reset(); }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != Kind::invalid() && handle_ != nullptr; }
    explicit operator bool() const { return valid(); }

    // Gives up ownership without closing.
    HANDLE release() { return std::exchange(handle_, Kind::invalid()); }
    // Closes what it holds, if anything, and takes `handle`.
    void reset(HANDLE handle = Kind::invalid()) {
        HANDLE old = std::exchange(handle_, handle);
        if (old != Kind::invalid() && old != nullptr) CloseHandle(old);
    }

private:
    HANDLE handle_ = Kind::invalid();
};

struct file_handle_kind {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
};
struct null_handle_kind {
    static HANDLE invalid() { return nullptr; }
};
struct process_kind : null_handle_kind {};
struct mutex_kind : null_handle_kind {};
struct event_kind : null_handle_kind {};
struct thread_kind : null_handle_kind {};

using unique_file = unique_handle<file_handle_kind>;
using unique_process = unique_handle<process_kind>;
using unique_mutex = unique_handle<mutex_kind>;
using unique_event = unique_handle<event_kind>;
using unique_thread = unique_handle<thread_kind>;

} // namespace wex
