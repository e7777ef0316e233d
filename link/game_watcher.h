#pragma once
// The game watcher thread: it finds the game's window among the game's titles, counts the game as
// connected while that window is in front, and follows Scroll Lock for control mode.

namespace plv_duskward {

// The thread's body, started by on_start; the argument is not used. It returns once it has seen
// the stop flag, with the event file empty and closed.
void FindGameWindow(void* unused);

} // namespace plv_duskward
