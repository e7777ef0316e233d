#include "player/settings.h"

#include "player/setting_values.h"

// The settings themselves are defined in frame/module_objects.cpp, in the order the module builds
// its static objects.

namespace plv_duskward {

void reset_settings_to_defaults() {
    using namespace setting_values;
    cfg_suspend_input = suspend_input_default;
    cfg_control_delay = control_delay_default;
    cfg_idle_delay = idle_delay_default;
    cfg_track_change_enabled = track_change_enabled_default;
    cfg_track_change_format.assign(track_change_format_default);
    cfg_pause_enabled = pause_enabled_default;
    cfg_pause_format.assign(pause_format_default);
    cfg_stop_enabled = stop_enabled_default;
    cfg_stop_format.assign(stop_format_default);
    cfg_seek_enabled = seek_enabled_default;
    cfg_seek_format.assign(seek_format_default);
    cfg_volume_enabled = volume_enabled_default;
    cfg_volume_format.assign(volume_format_default);
}

} // namespace plv_duskward
