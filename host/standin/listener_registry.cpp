#include "host/standin/listener_registry.h"

namespace standin_host {

void listener_registry::register_listener(play_callback* listener, std::uint32_t mask, bool flag) {
    std::lock_guard<std::mutex> guard(lock_);
    registrations_.push_back(listener_registration{listener, mask, flag});
}

std::vector<listener_registration> listener_registry::registrations() const {
    std::lock_guard<std::mutex> guard(lock_);
    return registrations_;
}

} // namespace standin_host
