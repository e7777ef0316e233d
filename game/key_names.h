#pragma once
// Keys as a driver names them on the `press` command line.

#include <optional>
#include <string_view>

namespace duskward_game {

// The virtual key for a name (ctrl, shift, alt, lwin, f1..f24, a..z, space, enter, left, ...),
// a single digit (the digit key, not virtual key 0 to 9), or a number of two or more decimal
// digits or in 0x hex from 1 to 254. Names are case-insensitive. Nothing for anything else.
std::optional<int> virtual_key_from_name(std::string_view name);

// Keys that Windows sends with the extended-key flag (the right-hand modifiers, the navigation
// block, the Windows keys): SendInput needs it to tell them from their numeric-pad twins.
bool is_extended_key(int virtual_key);

} // namespace duskward_game
