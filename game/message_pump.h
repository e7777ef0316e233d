#pragma once
// Waiting on the window thread without freezing its windows: every wait runs the thread's
// messages, so the windows stay responsive and the key presses that SendInput queues for them
// are taken in (which is what updates the thread's own key state).

#include <windows.h>

#include <functional>

namespace duskward_game {

// Runs messages until `done` returns true, checking it at least every few milliseconds, or
// until `timeout_ms` has passed. Returns whether `done` became true. A WM_QUIT seen meanwhile is
// posted again, for the main loop.
bool pump_messages_until(const std::function<bool()>& done, DWORD timeout_ms);

void pump_messages_for(DWORD duration_ms);

} // namespace duskward_game
