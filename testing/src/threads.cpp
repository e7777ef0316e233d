// Threads of _beginthread on std::thread, counted by the stand-in's clock, with a waitable thread
// handle; and the one module whose references the component takes for its thread.

#include <process.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

#include "testing/standin/clock_wait.h"
#include "testing/standin/handle_table.h"
#include "testing/standin/threads.h"

namespace standin {
namespace {

std::atomic<bool> thread_start_fails{false};
bool threads_held = false; // under the clock's lock

std::atomic<std::size_t> references{0};
const auto the_module = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x10000000));

// Thrown by FreeLibraryAndExitThread and caught at the thread's start: not a std::exception.
struct thread_exit {};

class thread_object final : public handle_object {
public:
    DWORD wait(DWORD milliseconds) override {
        return clock_wait([this] { return ended_; }, milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    }
    void end() {
        clock_change([this] { ended_ = true; });
    }

private:
    bool ended_ = false; // under the clock's lock
};

void wait_at_gate() {
    clock_wait([] { return !threads_held; }, INFINITE);
}

void run_thread(
    void (*start_address)(void*), void* argument, const std::shared_ptr<thread_object>& thread, HANDLE handle) {
    enter_counted_thread();
    wait_at_gate();
    bool returned = true;
    try {
        start_address(argument);
    } catch (const thread_exit&) { // FreeLibraryAndExitThread
        returned = false;
    }
    thread_ended(); // counted out before anyone waiting on the thread can see it end
    thread->end();
    // As the runtime does: its end-of-thread step, reached only by returning, closes the handle.
    if (returned) CloseHandle(handle);
}

} // namespace

void set_thread_start_fails(bool fails) { thread_start_fails = fails; }

void hold_new_threads(bool hold) {
    clock_change([hold] { threads_held = hold; });
}

std::size_t module_references() { return references; }

} // namespace standin

std::uintptr_t _beginthread(void (*start_address)(void*), unsigned, void* argument) {
    constexpr auto failed = static_cast<std::uintptr_t>(-1);
    if (standin::thread_start_fails || start_address == nullptr) return failed;
    auto thread = std::make_shared<standin::thread_object>();
    HANDLE handle = standin::register_handle(thread);
    standin::thread_starting(); // counted before it runs, so no test can miss it
    try {
        std::thread(standin::run_thread, start_address, argument, thread, handle).detach();
    } catch (const std::system_error&) {
        standin::thread_ended();
        CloseHandle(handle);
        return failed;
    }
    return reinterpret_cast<std::uintptr_t>(handle);
}

BOOL GetModuleHandleExW(DWORD flags, LPCWSTR address, HMODULE* module) {
    if ((flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) == 0 || address == nullptr || module == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((flags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT) == 0) ++standin::references;
    *module = standin::the_module;
    return TRUE;
}

BOOL FreeLibrary(HMODULE module) {
    std::size_t held = standin::references;
    do {
        if (module != standin::the_module || held == 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
    } while (!standin::references.compare_exchange_weak(held, held - 1));
    return TRUE;
}

void FreeLibraryAndExitThread(HMODULE module, DWORD) {
    FreeLibrary(module);
    throw standin::thread_exit{};
}
