#include "game/keyboard_input.h"

#include "game/key_names.h"
#include "game/message_pump.h"

namespace duskward_game {
namespace {

constexpr DWORD settle_timeout_ms = 1000;

bool send_key(int virtual_key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtual_key);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC));
    if (is_extended_key(virtual_key)) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    if (!down) input.ki.dwFlags |= KEYEVENTF_KEYUP;
    return SendInput(1, &input, sizeof input) == 1;
}

bool is_down(int virtual_key) { return (GetAsyncKeyState(virtual_key) & 0x8000) != 0; }

bool scroll_lock_on() { return (GetKeyState(VK_SCROLL) & 1) != 0; }

std::string key_text(int virtual_key) { return "key " + std::to_string(virtual_key); }

// Waits until every key is down (or every key up); names the first that is not.
std::string wait_for_keys(const std::vector<int>& virtual_keys, bool down) {
    auto all_settled = [&] {
        for (int key : virtual_keys) {
            if (is_down(key) != down) return false;
        }
        return true;
    };
    if (pump_messages_until(all_settled, settle_timeout_ms)) return {};
    for (int key : virtual_keys) {
        if (is_down(key) != down) return key_text(key) + (down ? " did not go down" : " did not go up");
    }
    return {};
}

} // namespace

std::string press_keys(const std::vector<int>& virtual_keys, DWORD hold_ms) {
    std::string problem;
    for (int key : virtual_keys) {
        if (!send_key(key, true) && problem.empty()) problem = "SendInput failed for " + key_text(key);
    }
    if (problem.empty()) problem = wait_for_keys(virtual_keys, true);
    pump_messages_for(hold_ms);
    // Released whatever happened above, so that no key is left held down on the desktop.
    for (auto key = virtual_keys.rbegin(); key != virtual_keys.rend(); ++key) {
        if (!send_key(*key, false) && problem.empty()) problem = "SendInput failed for " + key_text(*key);
    }
    std::string release_problem = wait_for_keys(virtual_keys, false);
    return problem.empty() ? release_problem : problem;
}

std::string toggle_scroll_lock(bool& now_on) {
    const bool was_on = scroll_lock_on();
    if (!send_key(VK_SCROLL, true) || !send_key(VK_SCROLL, false)) return "SendInput failed";
    // The thread's own key state follows once the window thread has taken in the key messages.
    const bool flipped = pump_messages_until([was_on] { return scroll_lock_on() != was_on; }, settle_timeout_ms);
    now_on = scroll_lock_on();
    return flipped ? std::string() : "the Scroll Lock toggle did not change";
}

} // namespace duskward_game
