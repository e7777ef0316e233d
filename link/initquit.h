#pragma once
// The service through which the host starts and stops the component's live work.

#include <cstdint>

#include "frame/host_interfaces.h"

namespace plv_duskward {

// The playback notifications the listener asks for: new track, stop, seek, pause and volume
// change (bit k is the listener's operation in slot k).
inline constexpr std::uint32_t play_callback_mask = 542;

class initquit : public ::initquit {
public:
    // Starts the game watcher thread and registers the playback listener, which stays registered
    // for good. A watcher that cannot be started is reported; the listener is registered anyway.
    void on_start() override;
    // Asks the watcher to stop and waits, bounded, until its thread has ended: the event file is
    // then empty and closed, and the host may unload the component at once.
    void on_stop() override;

protected:
    ~initquit() = default;
};

} // namespace plv_duskward
