#include "host/program/line_source.h"

#include <chrono>
#include <thread>

namespace plavora_host {

line_source::line_source(std::shared_ptr<std::istream> input) : state_(std::make_shared<shared_state>()) {
    // The reader may still be blocked in a read when the host quits; it owns its share of the
    // state and of the stream, and the process's end takes it down.
    std::thread([state = state_, input = std::move(input)] {
        for (std::string line; std::getline(*input, line);) {
            std::lock_guard<std::mutex> guard(state->lock);
            state->lines.push_back(line);
            state->arrived.notify_one();
        }
        std::lock_guard<std::mutex> guard(state->lock);
        state->ended = true;
        state->arrived.notify_one();
    }).detach();
}

std::optional<std::string> line_source::next(int milliseconds) {
    std::unique_lock<std::mutex> guard(state_->lock);
    state_->arrived.wait_for(
        guard, std::chrono::milliseconds(milliseconds), [&] { return !state_->lines.empty() || state_->ended; });
    if (state_->lines.empty()) return std::nullopt;
    std::string line = std::move(state_->lines.front());
    state_->lines.pop_front();
    return line;
}

bool line_source::ended() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->ended && state_->lines.empty();
}

} // namespace plavora_host
