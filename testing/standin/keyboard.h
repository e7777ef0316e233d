#pragma once
// The stand-in's keyboard: one state for every thread, set by tests, read by GetKeyState and
// GetAsyncKeyState, with the reads counted.

#include <vector>

namespace standin {

// Bit 15 of both reads.
void set_key_down(int virtual_key, bool down);
// Bit 0 of GetKeyState, the toggle state of Scroll Lock and friends.
void set_key_toggled(int virtual_key, bool toggled);

struct keyboard_calls {
    int key_state = 0;       // GetKeyState
    int async_key_state = 0; // GetAsyncKeyState
};
keyboard_calls keyboard_call_counts();

// The keys that GetKeyState was asked about since the last call, in the order asked.
std::vector<int> take_key_state_reads();

// Every key up and off, counts and record cleared.
void reset_keyboard();

} // namespace standin
