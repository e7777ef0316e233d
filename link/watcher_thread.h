#pragma once
// The life of the game watcher thread between the host's on_start and on_stop. The thread holds a
// reference to this module from before it starts until its very last instruction, so the host may
// free the library whenever it likes: no code of the component runs after the last reference goes.

#include <windows.h>

namespace plv_duskward {

// How long on_stop waits for the watcher: far longer than the rest of a pass takes, so it runs out
// only for a thread that hangs (a disk that stalls the file's creation, say).
inline constexpr DWORD watcher_stop_limit_ms = 5000;

// On the host's start/stop thread. Starts a watcher thread unless one runs that has not been asked
// to stop; every failure is reported and leaves no thread.
void start_watcher();

// On the host's start/stop thread. Asks the watcher to stop and waits, at most
// watcher_stop_limit_ms, until its thread has ended; a watcher that does not end by then is
// reported and left to end on its own, with signals that no later watcher shares.
void stop_watcher_and_wait();

} // namespace plv_duskward
