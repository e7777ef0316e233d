#pragma once
// What one game watcher thread shares with the host's start/stop thread: the stop request and the
// event that ends its sleeps early. Every thread gets signals of its own, so a thread that outlives
// a stop that timed out can never take the stop, or the end, of a thread started after it.

#include <windows.h>

#include <atomic>
#include <memory>

#include "frame/handles.h"

namespace plv_duskward {

class watcher_signals {
public:
    // Null, after a console line, when the event cannot be made.
    static std::shared_ptr<watcher_signals> make();

    // The host's side.
    void request_stop();

    // The watcher's side.
    bool stop_requested() const { return stop_; }
    // Sleeps for the interval, or until a stop is asked for; true when the stop flag is set.
    bool sleep_unless_stopped(DWORD milliseconds);

    explicit watcher_signals(wex::unique_event wake);

private:
    std::atomic<bool> stop_{false};
    wex::unique_event wake_; // manual-reset: once set, every later sleep ends at once
};

} // namespace plv_duskward
