#include "frame/component_version.h"
#include "frame/component_version_text.h"
#include "frame/factories.h"
#include "link/initquit.h"
#include "player/preferences.h"
#include "player/setting_values.h"
#include "player/settings.h"

// Every static object that links itself into a list while the module loads. They share this one
// file because the language builds the objects of a file in the order they are defined, and leaves
// the order between files open: the settings first, in the order the host's configuration lists
// them; then the factories, each put at the head of the list, so that the list reads preferences
// page, init/quit handler, version record.

namespace plv_duskward {

using namespace setting_values;

cfg_int_t<bool> cfg_suspend_input(suspend_input_id, suspend_input_default);
cfg_int_t<int> cfg_control_delay(control_delay_id, control_delay_default);
cfg_int_t<int> cfg_idle_delay(idle_delay_id, idle_delay_default);
cfg_int_t<bool> cfg_track_change_enabled(track_change_enabled_id, track_change_enabled_default);
cfg_string cfg_track_change_format(track_change_format_id, track_change_format_default);
cfg_int_t<bool> cfg_pause_enabled(pause_enabled_id, pause_enabled_default);
cfg_string cfg_pause_format(pause_format_id, pause_format_default);
cfg_int_t<bool> cfg_stop_enabled(stop_enabled_id, stop_enabled_default);
cfg_string cfg_stop_format(stop_format_id, stop_format_default);
cfg_int_t<bool> cfg_seek_enabled(seek_enabled_id, seek_enabled_default);
cfg_string cfg_seek_format(seek_format_id, seek_format_default);
cfg_int_t<bool> cfg_volume_enabled(volume_enabled_id, volume_enabled_default);
cfg_string cfg_volume_format(volume_format_id, volume_format_default);

namespace {

componentversion_impl_simple_factory version_factory(
    "Duskward Connection", PLV_COMPONENT_VERSION_TEXT, "Connection to the game Duskward: Grey Orchard");
initquit_factory_t<plv_duskward::initquit> initquit_factory;
preferences_page_factory_t<plv_duskward::preferences> preferences_factory;

} // namespace
} // namespace plv_duskward
