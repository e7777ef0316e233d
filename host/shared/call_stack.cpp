#include "frame/host_shared.h"

// The stand-in host has no crash reporter of its own, so it has no call-stack path to give.
const char* uGetCallStackPath() { return ""; }
