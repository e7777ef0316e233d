#pragma once
// The component's playback listener, registered with the host by the init/quit handler. Its
// operations are still empty here: it receives the notifications and does nothing with them yet.

#include <cstdint>

#include "frame/host_interfaces.h"

namespace plv_duskward {

class play_callback : public ::play_callback {
public:
    void on_starting(std::int32_t, std::int32_t) override {}
    void on_new_track(track* new_track) override {
        if (new_track != nullptr) new_track->release();
    }
    void on_stop(std::int32_t) override {}
    void on_seek(double) override {}
    void on_pause(bool) override {}
    void on_track_edited(track* edited) override {
        if (edited != nullptr) edited->release();
    }
    void on_info_change(std::int32_t) override {}
    void on_track_info_change(std::int32_t) override {}
    void on_time(std::int32_t, std::int32_t) override {}
    void on_volume_change(float) override {}
};

} // namespace plv_duskward
