#pragma once
// The threads of this process as the system lists them: what a test compares before and after the
// component's watcher has come and gone.

#include <windows.h>

#include <tlhelp32.h>

#include "frame/handles.h"

namespace test_support {

// -1 when the system gives no list. A snapshot's handle is invalid as a file's is.
inline int threads_of_this_process() {
    wex::unique_file snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    return count;
}

} // namespace test_support
