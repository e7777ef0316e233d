#pragma once
// The command language on standard input, one command a line:
//   front            the game window takes the front
//   away             another window of the game takes the front
//   scroll           Scroll Lock is pressed once, toggling it
//   press KEY...     the keys are held together, longer than one key poll, then released
//   quit             the game ends
// Each command is answered with one line once it has taken effect: "ok COMMAND..." or
// "error COMMAND: what went wrong".

#include "game/game_windows.h"

#include <string>
#include <string_view>

namespace duskward_game {

struct command_result {
    std::string answer; // empty for a blank line
    bool quit = false;
};

command_result run_command(game_windows& windows, std::string_view line);

} // namespace duskward_game
