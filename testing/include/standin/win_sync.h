#pragma once
#include "standin/win_types.h"

#define ERROR_NOT_OWNER 288u

// Mutexes are re-entrant for their owning thread, as on Windows: each wait that succeeds must be
// matched by one ReleaseMutex. A mutex whose owner thread ends is abandoned: the next wait gets
// it with WAIT_ABANDONED. Names are accepted but not shared between calls.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES attributes, BOOL initial_owner, LPCWSTR name);
BOOL ReleaseMutex(HANDLE mutex);
