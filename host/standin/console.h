#pragma once
// The stand-in host's console: keeps every line it is given and, when asked, echoes it to standard
// output as the player's console window would show it.

#include <mutex>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"

namespace standin_host {

class console : public host_console {
public:
    explicit console(bool echo = false) : echo_(echo) {}

    void print(const char* text, std::size_t max_length) override;

    std::vector<std::string> lines() const;
    void clear();

private:
    const bool echo_;
    mutable std::mutex lock_;
    std::vector<std::string> lines_;
};

} // namespace standin_host
