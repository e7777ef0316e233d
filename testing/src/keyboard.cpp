#include "testing/standin/keyboard.h"

#include <windows.h>

#include <array>
#include <mutex>
#include <utility>

namespace standin {
namespace {

constexpr int key_count = 256;

struct keyboard_state {
    std::mutex lock;
    std::array<bool, key_count> down{};
    std::array<bool, key_count> toggled{};
    keyboard_calls calls;
    std::vector<int> state_reads;
};

keyboard_state& state() {
    static keyboard_state instance;
    return instance;
}

bool known(int virtual_key) { return virtual_key >= 0 && virtual_key < key_count; }

SHORT as_short(unsigned bits) { return static_cast<SHORT>(static_cast<std::uint16_t>(bits)); }

} // namespace

void set_key_down(int virtual_key, bool down) {
    keyboard_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (known(virtual_key)) s.down[static_cast<std::size_t>(virtual_key)] = down;
}

void set_key_toggled(int virtual_key, bool toggled) {
    keyboard_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (known(virtual_key)) s.toggled[static_cast<std::size_t>(virtual_key)] = toggled;
}

keyboard_calls keyboard_call_counts() {
    keyboard_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.calls;
}

std::vector<int> take_key_state_reads() {
    keyboard_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return std::exchange(s.state_reads, {});
}

void reset_keyboard() {
    keyboard_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.down = {};
    s.toggled = {};
    s.calls = {};
    s.state_reads.clear();
}

} // namespace standin

SHORT GetKeyState(int virtual_key) {
    auto& s = standin::state();
    std::lock_guard<std::mutex> guard(s.lock);
    ++s.calls.key_state;
    s.state_reads.push_back(virtual_key);
    if (!standin::known(virtual_key)) return 0;
    auto key = static_cast<std::size_t>(virtual_key);
    return standin::as_short((s.down[key] ? 0x8000u : 0u) | (s.toggled[key] ? 1u : 0u));
}

SHORT GetAsyncKeyState(int virtual_key) {
    auto& s = standin::state();
    std::lock_guard<std::mutex> guard(s.lock);
    ++s.calls.async_key_state;
    if (!standin::known(virtual_key)) return 0;
    return standin::as_short(s.down[static_cast<std::size_t>(virtual_key)] ? 0x8000u : 0u);
}
