#include "link/initquit.h"

#include <atomic>
#include <memory>

#include "frame/host_lookup.h"
#include "frame/module_state.h"
#include "link/watcher_thread.h"
#include "player/play_callback.h"

namespace plv_duskward {
namespace {

// The host it was registered with (host_generation); 0 before the first registration.
std::atomic<unsigned> listener_registered_for{0};

void register_play_listener() {
    using listener_type = service_impl_t<plv_duskward::play_callback>;
    // Owned here until the host has it, so that a host without a registry leaks nothing.
    auto listener = std::make_unique<listener_type>();
    service_ptr_t<play_callback_registry> registry = get_single_service<play_callback_registry>();
    registry->register_listener(listener.get(), play_callback_mask, false);
    listener.release(); // the host keeps it for the life of the process
    listener_registered_for = host_generation();
}

} // namespace

void initquit::on_start() {
    start_watcher();
    // A start whose registration failed (no registry) leaves it to the next start.
    if (listener_registered_for != host_generation()) register_play_listener();
}

void initquit::on_stop() { stop_watcher_and_wait(); }

} // namespace plv_duskward
