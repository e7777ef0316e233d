#pragma once
// The component's thirteen settings. Each is read straight from its object by whoever needs it,
// at the moment it needs it: a change counts from the reader's next use.

#include "frame/cfg_var.h"

namespace plv_duskward {

extern cfg_int_t<bool> cfg_suspend_input;
extern cfg_int_t<int> cfg_control_delay;
extern cfg_int_t<int> cfg_idle_delay;
extern cfg_int_t<bool> cfg_track_change_enabled;
extern cfg_string cfg_track_change_format;
extern cfg_int_t<bool> cfg_pause_enabled;
extern cfg_string cfg_pause_format;
extern cfg_int_t<bool> cfg_stop_enabled;
extern cfg_string cfg_stop_format;
extern cfg_int_t<bool> cfg_seek_enabled;
extern cfg_string cfg_seek_format;
extern cfg_int_t<bool> cfg_volume_enabled;
extern cfg_string cfg_volume_format;

// Puts every setting back to its default.
void reset_settings_to_defaults();

} // namespace plv_duskward
