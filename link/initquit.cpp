#include "link/initquit.h"

#include <process.h>
#include <windows.h>

#include <memory>

#include "frame/console.h"
#include "frame/host_lookup.h"
#include "link/game_watcher.h"
#include "link/watcher_signals.h"
#include "player/play_callback.h"

namespace plv_duskward {
namespace {

constexpr auto thread_not_created = static_cast<std::uintptr_t>(-1);

void start_watcher() {
    prepare_watcher_start();
    if (_beginthread(FindGameWindow, 0, nullptr) != thread_not_created) return;
    watcher_not_started();
    report_error("_beginthread(FindGameWindow) failed");
}

void register_play_listener() {
    using listener_type = service_impl_t<plv_duskward::play_callback>;
    // Owned here until the host has it, so that a host without a registry leaks nothing.
    auto listener = std::make_unique<listener_type>();
    service_ptr_t<play_callback_registry> registry = get_single_service<play_callback_registry>();
    registry->register_listener(listener.get(), play_callback_mask, false);
    listener.release(); // the host keeps it for the life of the process
}

} // namespace

void initquit::on_start() {
    start_watcher();
    register_play_listener();
}

void initquit::on_stop() { stop_watcher_and_wait(); }

} // namespace plv_duskward
