#include "host/standin/console.h"

#include <cstdio>
#include <cstring>

namespace standin_host {

void console::print(const char* text, std::size_t max_length) {
    std::string line;
    if (text != nullptr) line.assign(text, strnlen(text, max_length));
    std::lock_guard<std::mutex> guard(lock_);
    if (echo_) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    lines_.push_back(std::move(line));
}

std::vector<std::string> console::lines() const {
    std::lock_guard<std::mutex> guard(lock_);
    return lines_;
}

void console::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.clear();
}

} // namespace standin_host
