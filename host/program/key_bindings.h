#pragma once
// The host's own key assignments: a key code in a context runs a player command. Every key code
// that a component offers is printed, so a person can see what arrives.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"

namespace plavora_host {

class key_bindings : public key_shortcut_processor {
public:
    using command_runner = std::function<void(const std::string& command)>;

    explicit key_bindings(command_runner run) : run_(std::move(run)) {}

    static bool is_command(const std::string& command);
    void bind(std::uint32_t key_code, std::uint32_t context, const std::string& command);

    bool process_key(std::uint32_t context, service_list_base& items, std::uint32_t key_code) override;

private:
    struct binding {
        std::uint32_t key_code;
        std::uint32_t context;
        std::string command;
    };
    command_runner run_;
    std::mutex lock_;
    std::vector<binding> bindings_;
};

} // namespace plavora_host
