#pragma once
// Key presses made with SendInput, as a user's keyboard would make them: every process on the
// desktop sees them in its key state, the component's watcher included.

#include <windows.h>

#include <string>
#include <vector>

namespace duskward_game {

// Presses the keys in order, holds them all for `hold_ms`, then releases them in reverse order.
// Returns an empty text when every key was seen down and then up again, else what went wrong.
std::string press_keys(const std::vector<int>& virtual_keys, DWORD hold_ms);

// Presses and releases Scroll Lock once. Returns an empty text once the toggle has flipped, else
// what went wrong; `now_on` tells the new state.
std::string toggle_scroll_lock(bool& now_on);

} // namespace duskward_game
