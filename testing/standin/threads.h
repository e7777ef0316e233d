#pragma once
// Controls for the threads that _beginthread starts, and for the component's module references.

#include <cstddef>

namespace standin {

// Failure switch: _beginthread returns (uintptr_t)-1 and starts nothing, until switched back.
void set_thread_start_fails(bool fails);

// While on, a thread that _beginthread starts waits before the first instruction of its body,
// blocked on the clock (so the clock's waits see it as blocked), until the gate opens again.
void hold_new_threads(bool hold);

// References taken with GetModuleHandleExW and not yet given back (FreeLibrary,
// FreeLibraryAndExitThread). A thread that holds one has not left the module yet.
std::size_t module_references();

} // namespace standin
