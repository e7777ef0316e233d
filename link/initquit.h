#pragma once
// The service through which the host starts and stops the component's live work.

#include <cstdint>

#include "frame/host_interfaces.h"

namespace plv_duskward {

// The slots of the host's play_callback operations that the listener acts on; bit k of a
// registration's mask asks for the operation in slot k.
enum class play_callback_slot : std::uint32_t {
    on_new_track = 1,
    on_stop = 2,
    on_seek = 3,
    on_pause = 4,
    on_volume_change = 9,
};

constexpr std::uint32_t mask_bit(play_callback_slot slot) { return 1u << static_cast<std::uint32_t>(slot); }

// The playback notifications the listener asks for.
inline constexpr std::uint32_t play_callback_mask = mask_bit(play_callback_slot::on_new_track) |
    mask_bit(play_callback_slot::on_stop) | mask_bit(play_callback_slot::on_seek) |
    mask_bit(play_callback_slot::on_pause) | mask_bit(play_callback_slot::on_volume_change);

class initquit : public ::initquit {
public:
    // Starts the game watcher thread, unless one runs already, and registers the playback
    // listener on the first start with this host only: it stays registered for good, so a later
    // start registering another would double every event. A watcher that cannot be started is
    // reported; the listener is registered anyway.
    void on_start() override;
    // Asks the watcher to stop and waits, bounded, until its thread has ended: the event file is
    // then empty and closed, and the host may unload the component at once.
    void on_stop() override;

protected:
    ~initquit() = default;
};

} // namespace plv_duskward
