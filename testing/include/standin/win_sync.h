#pragma once
#include "standin/win_types.h"

// Mutexes are re-entrant for their owning thread, as on Windows.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES attributes, BOOL initial_owner, LPCWSTR name);
BOOL ReleaseMutex(HANDLE mutex);
