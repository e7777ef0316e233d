#pragma once
// The game's lines for its driver. Each line is written whole and flushed at once, so that a
// driver reading the pipe sees it as soon as it is printed, and lines from two threads never mix.

#include <string>

namespace duskward_game {

// Writes the bytes as they are: event texts are in the system's ANSI code page.
void print_line(const std::string& line);
void print_error(const std::string& line);

} // namespace duskward_game
