#include "host/program/key_bindings.h"

#include <cstdio>

namespace plavora_host {

bool key_bindings::is_command(const std::string& command) {
    for (const char* known : {"next", "previous", "playpause", "stop", "volup", "voldown"})
        if (command == known) return true;
    return false;
}

void key_bindings::bind(std::uint32_t key_code, std::uint32_t context, const std::string& command) {
    std::lock_guard<std::mutex> guard(lock_);
    bindings_.push_back({key_code, context, command});
}

bool key_bindings::process_key(std::uint32_t context, service_list_base&, std::uint32_t key_code) {
    std::printf("key 0x%X context %u\n", key_code, context);
    std::fflush(stdout);
    std::string command;
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (const binding& b : bindings_)
            if (b.key_code == key_code && b.context == context) command = b.command;
    }
    if (command.empty()) return false;
    run_(command);
    return true;
}

} // namespace plavora_host
