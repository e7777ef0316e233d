#pragma once
#include "standin/win_types.h"

// Both run on the stand-in's clock (testing/standin/clock.h): in its virtual mode a Sleep ends
// only when a test moves time on.
void Sleep(DWORD milliseconds);

// Starts a detached thread; (uintptr_t)-1 when it cannot (testing/standin/threads.h makes it fail).
// The stack size is ignored.
std::uintptr_t _beginthread(void (*start_address)(void*), unsigned stack_size, void* argument);
