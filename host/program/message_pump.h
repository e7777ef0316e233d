#pragma once
// Serves every window message waiting for the host's main thread, then returns.

#include <windows.h>

namespace plavora_host {

inline void pump_window_messages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace plavora_host
