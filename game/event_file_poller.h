#pragma once
// Reads the event file of the game folder that this program lives in, one whole read at a time.

#include "game/event_file_reader.h"

#include <optional>
#include <string>
#include <vector>

namespace duskward_game {

// <root>\gamedata\config\plvr.ltx, where <root> is the parent of the executable's folder.
std::wstring event_file_path_beside_executable();

class event_file_poller {
public:
    explicit event_file_poller(std::wstring path) : path_(std::move(path)) {}

    // Reads the file once and returns the lines to print. A file that is missing or cannot be
    // read right now is skipped, like an incomplete one.
    std::vector<std::string> poll();

    // How long to wait before the next read.
    int delay_ms() const { return state_.polling_delay; }

private:
    std::wstring path_;
    reader_state state_;
};

} // namespace duskward_game
