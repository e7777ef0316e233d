#pragma once
#include "standin/win_types.h"

// Both run on the stand-in's clock (testing/standin/clock.h): in its virtual mode a Sleep ends
// only when a test moves time on.
void Sleep(DWORD milliseconds);

// Starts a detached thread; (uintptr_t)-1 when it cannot (testing/standin/threads.h makes it fail).
// The stack size is ignored. The result is the thread's handle, waitable (signalled once the thread
// has ended). As the runtime on Windows does, the stand-in closes it when the thread returns from
// its body; a thread that ends with FreeLibraryAndExitThread never returns, and leaves it open.
std::uintptr_t _beginthread(void (*start_address)(void*), unsigned stack_size, void* argument);

// The component's module: one per process, its references counted so that a test can see them
// balance (testing/standin/threads.h).
#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001u
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002u
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004u

// Only the form that names the module by an address inside it is known here.
BOOL GetModuleHandleExW(DWORD flags, LPCWSTR module_name, HMODULE* module);
BOOL FreeLibrary(HMODULE module);
// Drops one reference and ends the calling thread, which must be one started by _beginthread:
// the stand-in unwinds it to its start with an object that is no std::exception, so no handler of
// the component can take it for a failure.
[[noreturn]] void FreeLibraryAndExitThread(HMODULE module, DWORD exit_code);
