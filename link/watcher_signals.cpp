#include "link/watcher_signals.h"

#include <atomic>

#include "frame/console.h"
#include "frame/handles.h"

namespace plv_duskward {
namespace {

std::atomic<bool> stop_flag{false};

// Both events are manual-reset: `wake` stays set once a stop is asked for, so a stop that comes
// while a pass runs ends the sleep that follows it; `ended` stays set while no watcher runs.
struct watcher_events {
    wex::unique_event wake;
    wex::unique_event ended;

    watcher_events()
        : wake(CreateEventW(nullptr, TRUE, FALSE, nullptr)), ended(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {
        // Without them the watcher sleeps its whole intervals and on_stop cannot wait for it.
        if (!wake || !ended) report_error("CreateEventW failed");
    }
};

// Made on first use, from on_start or on_stop; both run on the host's one start/stop thread, and
// the watcher thread is started only after it exists.
watcher_events& events() {
    static watcher_events instance;
    return instance;
}

} // namespace

void prepare_watcher_start() {
    watcher_events& e = events();
    stop_flag = false;
    if (e.wake) ResetEvent(e.wake.get());
    if (e.ended) ResetEvent(e.ended.get());
}

void watcher_not_started() {
    watcher_events& e = events();
    if (e.ended) SetEvent(e.ended.get());
}

bool watcher_stop_requested() { return stop_flag; }

bool sleep_unless_stopped(DWORD milliseconds) {
    watcher_events& e = events();
    // A wait that fails returns at once; sleeping then keeps the watcher from spinning.
    if (!e.wake || WaitForSingleObject(e.wake.get(), milliseconds) == WAIT_FAILED) Sleep(milliseconds);
    return stop_flag;
}

void signal_watcher_ended() {
    watcher_events& e = events();
    if (e.ended) SetEvent(e.ended.get());
}

void stop_watcher_and_wait() {
    watcher_events& e = events();
    stop_flag = true;
    if (e.wake) SetEvent(e.wake.get());
    if (!e.ended) return;
    if (WaitForSingleObject(e.ended.get(), watcher_stop_limit_ms) != WAIT_OBJECT_0)
        report_error("plv_duskward game watcher did not stop in time");
}

} // namespace plv_duskward
