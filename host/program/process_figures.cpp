#include "host/program/process_figures.h"

#include <psapi.h>

#include <cstdint>

namespace plavora_host {
namespace {

// Handle values are multiples of four from 4 up; a process of this size stays far below the
// bound. Asking about a value that is no handle changes nothing.
unsigned long counted_handles() {
    unsigned long count = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

// The committed memory of the process's own (its heaps, stacks and private mappings).
unsigned long long counted_private_bytes() {
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break; // the top of the address space
        at = next;
    }
    return total;
}

} // namespace

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
    // A running process always holds handles and private memory: 0 means that the system does
    // not keep the figure (Wine answers 0 to both), and it is then counted by hand.
    out.handles = handles != 0 ? handles : counted_handles();
    out.private_bytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : counted_private_bytes();
    return true;
}

} // namespace plavora_host
