#pragma once
// The host's player, as far as a component can see it: a playlist of the tracks that were played,
// the current one, pause, volume, and the notifications that each change sends to the listeners
// that asked for them.

#include <memory>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"
#include "host/standin/listener_registry.h"
#include "host/standin/track.h"

namespace plavora_host {

struct track_info {
    std::string artist;
    std::string title;
    std::string path;
};

class playback {
public:
    explicit playback(standin_host::listener_registry& listeners) : listeners_(listeners) {}

    void play(const track_info& info); // plays the track, added to the playlist unless it is there
    void next();
    void previous();
    void set_paused(bool paused);
    void toggle_pause();
    void stop(std::int32_t reason);
    void seek(double seconds);
    void set_volume(float decibels);
    void change_volume(float step);

private:
    template <class Notify>
    void notify(unsigned slot, Notify&& call);
    void start_current();

    standin_host::listener_registry& listeners_;
    std::vector<std::unique_ptr<standin_host::track>> playlist_;
    std::size_t current_ = 0;
    bool paused_ = false;
    float volume_ = 0.0f;
};

} // namespace plavora_host
