#include "host/program/process_figures.h"

#include <psapi.h>

namespace plavora_host {

bool read_process_figures(process_figures& out, std::string& error) {
    DWORD handles = 0;
    if (!GetProcessHandleCount(GetCurrentProcess(), &handles)) {
        error = "GetProcessHandleCount failed (system error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(
            GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        error = "GetProcessMemoryInfo failed (system error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    out.handles = handles;
    out.private_bytes = memory.PrivateUsage;
    return true;
}

} // namespace plavora_host
