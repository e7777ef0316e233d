#pragma once
// The stand-in game: its windows, the reading of the event file on a timer, and the commands
// from standard input, all on the window thread.

#include "game/command_source.h"
#include "game/event_file_poller.h"
#include "game/game_windows.h"

#include <windows.h>

#include <deque>
#include <string>

namespace duskward_game {

class game_app {
public:
    // Throws std::runtime_error when the windows cannot be made.
    game_app(HINSTANCE instance, const std::wstring& title);

    // Brings the game to the front, then runs until "quit", the end of input or the window's
    // closing. Returns the exit status.
    int run();

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    void run_waiting_commands();
    void poll_event_file();
    void schedule_polls();
    void show(const std::string& line);
    void paint(HWND window);

    std::wstring title_;
    event_file_poller poller_;
    command_source commands_;
    std::deque<std::string> recent_lines_;
    int scheduled_delay_ms_ = 0;
    bool running_commands_ = false;
    game_windows windows_; // last, so that its windows see every other member made
};

} // namespace duskward_game
