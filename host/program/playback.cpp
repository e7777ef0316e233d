#include "host/program/playback.h"

#include <algorithm>

namespace plavora_host {
namespace {

// Slots of the listener's operations, as its mask names them.
constexpr unsigned new_track_slot = 1, stop_slot = 2, seek_slot = 3, pause_slot = 4, volume_slot = 9;
constexpr float mute_level = -100.0f;

} // namespace

template <class Notify>
void playback::notify(unsigned slot, Notify&& call) {
    for (const standin_host::listener_registration& entry : listeners_.registrations())
        if (entry.mask & (1u << slot)) call(*entry.listener);
}

void playback::start_current() {
    paused_ = false;
    standin_host::track& current = *playlist_[current_];
    notify(new_track_slot, [&](play_callback& listener) {
        // Each listener gets a reference of its own, which it releases.
        current.add_ref();
        listener.on_new_track(&current);
    });
}

void playback::play(const track_info& info) {
    // A track played again is the playlist's entry, not a new one: a long session that plays the
    // same tracks over and over keeps its playlist as it is.
    auto same = [&](const std::unique_ptr<standin_host::track>& entry) {
        return entry->path() == info.path && entry->field("artist") == info.artist &&
            entry->field("title") == info.title;
    };
    auto found = std::find_if(playlist_.begin(), playlist_.end(), same);
    if (found == playlist_.end()) {
        playlist_.push_back(std::make_unique<standin_host::track>(
            info.path, std::map<std::string, std::string>{{"artist", info.artist}, {"title", info.title}}));
        found = playlist_.end() - 1;
    }
    current_ = static_cast<std::size_t>(found - playlist_.begin());
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
    notify(pause_slot, [&](play_callback& listener) { listener.on_pause(paused); });
}

void playback::toggle_pause() { set_paused(!paused_); }

void playback::stop(std::int32_t reason) {
    notify(stop_slot, [&](play_callback& listener) { listener.on_stop(reason); });
}

void playback::seek(double seconds) {
    notify(seek_slot, [&](play_callback& listener) { listener.on_seek(seconds); });
}

void playback::set_volume(float decibels) {
    volume_ = decibels;
    notify(volume_slot, [&](play_callback& listener) { listener.on_volume_change(decibels); });
}

void playback::change_volume(float step) { set_volume(std::clamp(volume_ + step, mute_level, 0.0f)); }

} // namespace plavora_host
