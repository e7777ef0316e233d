#pragma once
// The game watcher thread: it finds the game's window among the game's titles, counts the game as
// connected while that window is in front, and follows Scroll Lock for control mode.

namespace plv_duskward {

class watcher_signals;

// The watcher thread's work: it returns once it has seen the stop flag, with the event file empty
// and closed. Nothing it meets is thrown on to its caller.
void watch_game(watcher_signals& signals);

} // namespace plv_duskward
