#pragma once
// The listener that turns the host's playback notifications into events for the game. It keeps
// nothing between notifications: each one reads its switch and text from the settings when it
// comes, so a changed setting counts from the next notification.

#include <cstdint>

#include "frame/host_interfaces.h"

namespace plv_duskward {

class play_callback : public ::play_callback {
public:
    void on_starting(std::int32_t command, std::int32_t paused) override;
    // "track_change": the track's title as the host formats it, in the ANSI code page. The
    // reference is released on every path, failures included.
    void on_new_track(track* new_track) override;
    // "stop", for reason 0 only; the other reasons are the host's own business.
    void on_stop(std::int32_t reason) override;
    // "seek"; positions that are not a number or beyond any count are clamped, never thrown.
    void on_seek(double seconds) override;
    // "pause", for pausing and resuming alike.
    void on_pause(bool paused) override;
    void on_track_edited(track* edited) override;
    void on_info_change(std::int32_t value) override;
    void on_track_info_change(std::int32_t value) override;
    void on_time(std::int32_t first, std::int32_t second) override;
    // "volume_mute" for exactly -100 dB, "volume_change" for any other volume.
    void on_volume_change(float decibels) override;

protected:
    ~play_callback() = default;
};

} // namespace plv_duskward
