#pragma once
#include "standin/win_types.h"

// The virtual keys that the component and its tests name.
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5

// The key's state as the calling thread's messages last saw it: bit 15 down, bit 0 toggled on.
// The stand-in has one keyboard for every thread (testing/standin/keyboard.h sets it).
SHORT GetKeyState(int virtual_key);
// The key's physical state now: bit 15 down. The "pressed since the last call" bit is never set.
SHORT GetAsyncKeyState(int virtual_key);
