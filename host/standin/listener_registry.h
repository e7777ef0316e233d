#pragma once
// The stand-in host's play_callback_registry: it only records who registered, with what mask and
// flag. The player never frees a listener, so neither does this; a test that made one frees it.

#include <cstdint>
#include <mutex>
#include <vector>

#include "frame/host_interfaces.h"

namespace standin_host {

struct listener_registration {
    play_callback* listener = nullptr;
    std::uint32_t mask = 0;
    bool flag = false;
};

class listener_registry : public play_callback_registry {
public:
    void register_listener(play_callback* listener, std::uint32_t mask, bool flag) override;

    std::vector<listener_registration> registrations() const;

protected:
    ~listener_registry() = default;

private:
    mutable std::mutex lock_;
    std::vector<listener_registration> registrations_;
};

} // namespace standin_host
