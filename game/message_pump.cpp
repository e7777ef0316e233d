#include "game/message_pump.h"

namespace duskward_game {
namespace {

constexpr DWORD check_interval_ms = 10;

// Returns false once WM_QUIT was seen (and posted again).
bool dispatch_waiting_messages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

} // namespace

bool pump_messages_until(const std::function<bool()>& done, DWORD timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const DWORD wait = static_cast<DWORD>(deadline - now < check_interval_ms ? deadline - now : check_interval_ms);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
        if (!dispatch_waiting_messages()) return done();
    }
}

void pump_messages_for(DWORD duration_ms) {
    pump_messages_until([] { return false; }, duration_ms);
}

} // namespace duskward_game
