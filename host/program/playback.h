#pragma once
// The host's player, as far as a component can see it: a playlist of the tracks that were played,
// the current one, pause, volume, and the notifications that each change sends to the listeners
// that asked for them.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"

namespace plavora_host {

struct track_info {
    std::string artist;
    std::string title;
    std::string path;
};

// The play_callback_registry service: keeps each listener with its mask.
class listener_registry : public play_callback_registry {
public:
    void register_listener(play_callback* listener, std::uint32_t mask, bool flag) override;

    // Calls `notify` for every listener whose mask has the bit of `slot`.
    void for_each(unsigned slot, const std::function<void(play_callback&)>& notify);

private:
    struct entry {
        play_callback* listener;
        std::uint32_t mask;
    };
    std::mutex lock_;
    std::vector<entry> listeners_;
};

// Makes the host's track object for a track, with one reference for the caller.
using track_maker = std::function<track*(const track_info&)>;

class playback {
public:
    playback(listener_registry& listeners, track_maker make_track)
        : listeners_(listeners), make_track_(std::move(make_track)) {}

    void play(const track_info& info); // adds the track to the playlist and plays it
    void next();
    void previous();
    void set_paused(bool paused);
    void toggle_pause();
    void stop(std::int32_t reason);
    void seek(double seconds);
    void set_volume(float decibels);
    void change_volume(float step);

private:
    void start_current();

    listener_registry& listeners_;
    track_maker make_track_;
    std::vector<track_info> playlist_;
    std::size_t current_ = 0;
    bool paused_ = false;
    float volume_ = 0.0f;
};

} // namespace plavora_host
