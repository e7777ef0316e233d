#pragma once
#include "standin/win_types.h"

// Unnamed events only. Timed waits on an event run on the stand-in's clock, like Sleep.
HANDLE CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manual_reset, BOOL initial_state, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
