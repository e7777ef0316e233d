#pragma once
// Where the event file lives: gamedata\config\plvr.ltx in the parent of the folder that holds the
// game's executable, found from the game's window.

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "frame/handles.h"

namespace plv_duskward {

// Creates the event file for the game that owns the window, empty (an old file is replaced), and
// the config folder when it is missing. Every failure is reported on the console and gives an
// invalid handle; nothing is created when gamedata is missing or a path does not fit MAX_PATH.
wex::unique_file create_event_file(HWND window);

// The length of a system error text without the line break (and spaces) that the system ends it
// with: the text goes inside a console line, and not every host strips it.
std::size_t system_text_length(std::string_view text);

} // namespace plv_duskward
