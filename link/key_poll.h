#pragma once
// Control mode's keyboard poll: every key that went down since the last poll becomes one key
// callback, posted to the host's main thread, which offers it to the host's key assignments.

#include <array>
#include <cstdint>

namespace plv_duskward {

// 1: the key was down at the last poll. Owned by the watcher thread, all zero when it starts, and
// left as it is while control mode is off, so a key held across that time is not offered again.
using key_state_table = std::array<std::uint8_t, 256>;

inline constexpr int scroll_lock_key = 0x91; // it switches control mode; never offered

// Walks keys 1 to 255 in rising order, but Scroll Lock, asks `is_down(key)` for each, calls
// `on_press(key)` for each that is down now and was up at the last poll, and records the state.
// A key is recorded only after on_press returns, so one that could not be passed on (on_press
// threw) counts as newly pressed again at the next poll.
template <class IsDown, class OnPress>
void detect_new_presses(key_state_table& table, IsDown is_down, OnPress on_press) {
    for (int key = 1; key < static_cast<int>(table.size()); ++key) {
        if (key == scroll_lock_key) continue;
        bool down = is_down(key);
        auto& last = table[static_cast<std::size_t>(key)];
        if (down && last == 0) on_press(key);
        last = down ? 1 : 0;
    }
}

// One poll of the physical keyboard. Throws when the host has no single main_thread_poster.
void poll_keys(key_state_table& table);

} // namespace plv_duskward
