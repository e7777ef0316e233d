#include <process.h>
#include <windows.h>

#include <atomic>
#include <system_error>
#include <thread>

#include "testing/standin/clock_wait.h"
#include "testing/standin/threads.h"

namespace standin {
namespace {

std::atomic<bool> thread_start_fails{false};

} // namespace

void set_thread_start_fails(bool fails) { thread_start_fails = fails; }

} // namespace standin

std::uintptr_t _beginthread(void (*start_address)(void*), unsigned, void* argument) {
    constexpr auto failed = static_cast<std::uintptr_t>(-1);
    if (standin::thread_start_fails || start_address == nullptr) return failed;
    standin::thread_starting(); // counted before it runs, so no test can miss it
    try {
        std::thread([start_address, argument] {
            standin::enter_counted_thread();
            start_address(argument);
            standin::thread_ended();
        }).detach();
    } catch (const std::system_error&) {
        standin::thread_ended();
        return failed;
    }
    return 0x4; // a thread handle on Windows, closed when the thread ends; nobody may use it
}
