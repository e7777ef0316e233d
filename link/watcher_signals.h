#pragma once
// What one game watcher thread shares with the host's start/stop thread: the stop request, the
// event that ends its sleeps early, and the gate it waits at until its starter is done with it.
// Every thread gets signals of its own, so a thread that outlives a stop that timed out can never
// take the stop, or the end, of a thread started after it.

#include <windows.h>

#include <atomic>
#include <memory>

#include "frame/handles.h"

namespace plv_duskward {

class watcher_signals {
public:
    // Null, after a console line, when the events cannot be made.
    static std::shared_ptr<watcher_signals> make();

    // The host's side.
    void request_stop();
    void open_gate();

    // The watcher's side.
    bool stop_requested() const { return stop_; }
    void wait_at_gate();
    // Sleeps for the interval, or until a stop is asked for; true when the stop flag is set.
    bool sleep_unless_stopped(DWORD milliseconds);

    watcher_signals(wex::unique_event wake, wex::unique_event gate);

private:
    std::atomic<bool> stop_{false};
    wex::unique_event wake_; // manual-reset: once set, every later sleep ends at once
    wex::unique_event gate_;
};

} // namespace plv_duskward
