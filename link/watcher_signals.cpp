#include "link/watcher_signals.h"

#include "frame/console.h"

namespace plv_duskward {

std::shared_ptr<watcher_signals> watcher_signals::make() {
    wex::unique_event wake(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    wex::unique_event gate(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!wake || !gate) {
        // Without them the watcher could neither be stopped promptly nor waited for.
        report_error("CreateEventW failed");
        return nullptr;
    }
    return std::make_shared<watcher_signals>(std::move(wake), std::move(gate));
}

watcher_signals::watcher_signals(wex::unique_event wake, wex::unique_event gate)
    : wake_(std::move(wake)), gate_(std::move(gate)) {}

void watcher_signals::request_stop() {
    stop_ = true;
    SetEvent(wake_.get());
}

void watcher_signals::open_gate() { SetEvent(gate_.get()); }

void watcher_signals::wait_at_gate() { WaitForSingleObject(gate_.get(), INFINITE); }

bool watcher_signals::sleep_unless_stopped(DWORD milliseconds) {
    // A wait that fails returns at once; sleeping then keeps the watcher from spinning.
    if (WaitForSingleObject(wake_.get(), milliseconds) == WAIT_FAILED) Sleep(milliseconds);
    return stop_;
}

} // namespace plv_duskward
