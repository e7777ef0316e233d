#pragma once
// Command lines from standard input. A thread of its own blocks on the reads and hands each line
// to the window thread: it queues the line and posts a message that wakes the message loop.

#include <windows.h>

#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace duskward_game {

class command_source {
public:
    // Starts reading; `message` is posted to `window` whenever a line is waiting. The end of
    // input is handed on as a "quit" line, so that a driver that goes away ends the game.
    void start(HWND window, UINT message);

    // The oldest waiting line, if any.
    std::optional<std::string> take();

private:
    struct queue {
        std::mutex lock;
        std::deque<std::string> lines;
    };
    // Shared with the reading thread, which is never joined: it may still be blocked in a read
    // when the game ends, and must not outlive what it writes to.
    std::shared_ptr<queue> queue_ = std::make_shared<queue>();
};

} // namespace duskward_game
