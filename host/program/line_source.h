#pragma once
// Lines of commands read on a thread of their own, so that the host's main thread stays free to
// run what components post to it and to serve its windows while no command comes.

#include <condition_variable>
#include <deque>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace plavora_host {

class line_source {
public:
    // Starts reading. The reader shares the stream: `quit` may come while it is still reading,
    // and it may then go on until the process ends.
    explicit line_source(std::shared_ptr<std::istream> input);

    // The next line if one comes within `milliseconds`; nothing when none came yet. ended() tells
    // that no line will ever come.
    std::optional<std::string> next(int milliseconds);
    bool ended() const;

private:
    struct shared_state {
        std::mutex lock;
        std::condition_variable arrived;
        std::deque<std::string> lines;
        bool ended = false;
    };
    std::shared_ptr<shared_state> state_;
};

} // namespace plavora_host
