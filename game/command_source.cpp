#include "game/command_source.h"

#include <iostream>
#include <thread>

namespace duskward_game {

void command_source::start(HWND window, UINT message) {
    std::thread([shared = queue_, window, message] {
        std::string line;
        bool more = true;
        while (more) {
            more = static_cast<bool>(std::getline(std::cin, line));
            if (!more) line = "quit";
            if (!line.empty() && line.back() == '\r') line.pop_back();
            {
                std::lock_guard<std::mutex> guard(shared->lock);
                shared->lines.push_back(line);
            }
            PostMessageW(window, message, 0, 0);
        }
    }).detach();
}

std::optional<std::string> command_source::take() {
    std::lock_guard<std::mutex> guard(queue_->lock);
    if (queue_->lines.empty()) return {};
    std::string line = std::move(queue_->lines.front());
    queue_->lines.pop_front();
    return line;
}

} // namespace duskward_game
