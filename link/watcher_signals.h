#pragma once
// The stop request between the host's start/stop thread and the game watcher thread, and the
// notice of the watcher's end going back. The watcher's sleeps end as soon as a stop is asked for,
// and on_stop waits, bounded, for the thread to end, so that the event file is empty and closed
// and no code of the component runs any more when the host unloads it.

#include <windows.h>

namespace plv_duskward {

// How long on_stop waits for the watcher: far longer than the rest of a pass takes, so it runs out
// only for a thread that hangs.
inline constexpr DWORD watcher_stop_limit_ms = 5000;

// On the host's thread, before the watcher thread is started: clears the stop flag.
void prepare_watcher_start();
// On the host's thread, when the watcher thread could not be started: nothing is left to wait for.
void watcher_not_started();

// On the watcher thread.
bool watcher_stop_requested();
// Sleeps for the interval, or until a stop is asked for; true when the stop flag is set.
bool sleep_unless_stopped(DWORD milliseconds);
// The very last thing the watcher thread does.
void signal_watcher_ended();

// On the host's thread: sets the stop flag, wakes the watcher and waits until its thread has ended,
// at most watcher_stop_limit_ms; a watcher that does not end by then is reported.
void stop_watcher_and_wait();

} // namespace plv_duskward
