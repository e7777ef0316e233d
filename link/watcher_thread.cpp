#include "link/watcher_thread.h"

#include <process.h>

#include <cstdint>
#include <memory>

#include "frame/console.h"
#include "frame/handles.h"
#include "link/game_watcher.h"
#include "link/watcher_signals.h"

namespace plv_duskward {
namespace {

constexpr auto thread_not_created = static_cast<std::uintptr_t>(-1);

// An address inside this module, through which the thread's reference to it is taken.
const char module_anchor = 0;

// What a new thread takes over: one share of its signals and one reference to the module.
struct watcher_start {
    std::shared_ptr<watcher_signals> signals;
    HMODULE module = nullptr;
};

// The watcher that on_start started last. Only the host's start/stop thread touches it.
struct running_watcher {
    std::shared_ptr<watcher_signals> signals;
    // The runtime closes the handle _beginthread gives only when the thread returns to it. The
    // watcher never does: it ends with FreeLibraryAndExitThread, so the handle is ours to wait on
    // and to close.
    wex::unique_thread thread;
};
running_watcher current;

// Everything the thread owns is gone when this returns, but the module reference.
HMODULE watch_until_stopped(void* argument) {
    std::unique_ptr<watcher_start> start(static_cast<watcher_start*>(argument));
    watch_game(*start->signals);
    return start->module;
}

void FindGameWindow(void* argument) {
    HMODULE module = watch_until_stopped(argument);
    FreeLibraryAndExitThread(module, 0);
}

bool has_ended(const wex::unique_thread& thread) { return WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0; }

bool watcher_running() { return current.signals && !current.signals->stop_requested() && !has_ended(current.thread); }

// The console line of the failure, or null once the thread runs.
const char* launch(std::shared_ptr<watcher_signals> signals) {
    auto start = std::make_unique<watcher_start>();
    start->signals = signals;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&module_anchor), &start->module))
        return "GetModuleHandleExW failed";
    const std::uintptr_t thread = _beginthread(FindGameWindow, 0, start.get());
    if (thread == thread_not_created) {
        FreeLibrary(start->module);
        return "_beginthread(FindGameWindow) failed";
    }
    start.release(); // the thread's now
    current.signals = std::move(signals);
    current.thread = wex::unique_thread(reinterpret_cast<HANDLE>(thread));
    return nullptr;
}

} // namespace

void start_watcher() {
    if (watcher_running()) return; // one watcher at a time
    std::shared_ptr<watcher_signals> signals = watcher_signals::make();
    if (!signals) return;
    if (const char* failure = launch(std::move(signals))) report_error(failure);
}

void stop_watcher_and_wait() {
    if (!current.signals) return;
    current.signals->request_stop();
    if (WaitForSingleObject(current.thread.get(), watcher_stop_limit_ms) != WAIT_OBJECT_0) {
        report_error("plv_duskward game watcher did not stop in time");
        return;
    }
    current = {};
}

} // namespace plv_duskward
