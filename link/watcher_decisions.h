#pragma once
// What the game watcher decides in one pass, as plain functions of what it knew before the pass
// and what it saw in it. The watcher's thread does the looking and the acting around them.

#include <windows.h>

namespace plv_duskward {

// How long the watcher sleeps after a pass: the game away, connected, in control mode.
inline constexpr DWORD away_interval_ms = 4000;
inline constexpr DWORD connected_interval_ms = 500;
inline constexpr DWORD control_interval_ms = 125;

// What to do about the connection, given whether the game was in front at the end of the last
// pass and whether the window last looked up is in front now. A search that finds a title in
// front connects too.
struct link_plan {
    bool close_file = false; // the game has left the front
    bool search = false;     // look the titles up
    bool connect = false;    // the window last looked up came to the front: connect to it as is
    bool operator==(const link_plan&) const = default;
};
link_plan plan_link(bool was_connected, bool candidate_in_front);

struct control_flags {
    bool control = false;
    // Scroll Lock has been seen off with the game in front at least once. Until then a Scroll Lock
    // that was already on does not start control mode: the user has not switched it for the game.
    bool release_seen = false;
    bool operator==(const control_flags&) const = default;
};

enum class control_notice { none, control_on, control_off };

struct control_step {
    control_notice notice = control_notice::none;
    control_flags after; // after.control: the pass is in control mode
    bool operator==(const control_step&) const = default;
};

// The game is in front; what Scroll Lock's toggle means for control mode.
control_step plan_control(control_flags before, bool scroll_lock_on);

} // namespace plv_duskward
