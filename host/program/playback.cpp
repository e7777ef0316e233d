#include "host/program/playback.h"

#include <algorithm>

namespace plavora_host {
namespace {

// Slots of the listener's operations, as its mask names them.
constexpr unsigned new_track_slot = 1, stop_slot = 2, seek_slot = 3, pause_slot = 4, volume_slot = 9;
constexpr float mute_level = -100.0f;

} // namespace

void listener_registry::register_listener(play_callback* listener, std::uint32_t mask, bool) {
    std::lock_guard<std::mutex> guard(lock_);
    listeners_.push_back({listener, mask});
}

void listener_registry::for_each(unsigned slot, const std::function<void(play_callback&)>& notify) {
    std::vector<entry> listeners;
    {
        std::lock_guard<std::mutex> guard(lock_);
        listeners = listeners_;
    }
    for (const entry& e : listeners)
        if (e.mask & (1u << slot)) notify(*e.listener);
}

void playback::start_current() {
    paused_ = false;
    const track_info& info = playlist_[current_];
    listeners_.for_each(new_track_slot, [&](play_callback& listener) {
        // Each listener gets a reference of its own, which it releases.
        listener.on_new_track(make_track_(info));
    });
}

void playback::play(const track_info& info) {
    playlist_.push_back(info);
    current_ = playlist_.size() - 1;
    start_current();
}

void playback::next() {
    if (playlist_.empty()) return;
    current_ = (current_ + 1) % playlist_.size();
    start_current();
}

void playback::previous() {
    if (playlist_.empty()) return;
    current_ = (current_ + playlist_.size() - 1) % playlist_.size();
    start_current();
}

void playback::set_paused(bool paused) {
    paused_ = paused;
    listeners_.for_each(pause_slot, [&](play_callback& listener) { listener.on_pause(paused); });
}

void playback::toggle_pause() { set_paused(!paused_); }

void playback::stop(std::int32_t reason) {
    listeners_.for_each(stop_slot, [&](play_callback& listener) { listener.on_stop(reason); });
}

void playback::seek(double seconds) {
    listeners_.for_each(seek_slot, [&](play_callback& listener) { listener.on_seek(seconds); });
}

void playback::set_volume(float decibels) {
    volume_ = decibels;
    listeners_.for_each(volume_slot, [&](play_callback& listener) { listener.on_volume_change(decibels); });
}

void playback::change_volume(float step) { set_volume(std::clamp(volume_ + step, mute_level, 0.0f)); }

} // namespace plavora_host
