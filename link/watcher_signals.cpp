#include "link/watcher_signals.h"

#include "frame/console.h"

namespace plv_duskward {

std::shared_ptr<watcher_signals> watcher_signals::make() {
    wex::unique_event wake(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!wake) {
        // Without it the watcher would sleep out its intervals and a stop would time out.
        report_error("CreateEventW failed");
        return nullptr;
    }
    return std::make_shared<watcher_signals>(std::move(wake));
}

watcher_signals::watcher_signals(wex::unique_event wake) : wake_(std::move(wake)) {}

void watcher_signals::request_stop() {
    stop_ = true;
    SetEvent(wake_.get());
}

bool watcher_signals::sleep_unless_stopped(DWORD milliseconds) {
    // A wait that fails returns at once; sleeping then keeps the watcher from spinning.
    if (WaitForSingleObject(wake_.get(), milliseconds) == WAIT_FAILED) Sleep(milliseconds);
    return stop_;
}

} // namespace plv_duskward
