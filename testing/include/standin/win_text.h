#pragma once
#include "standin/win_types.h"

// Code-page conversion. The stand-in's ANSI code page is 1252, as on Western Windows and under
// Wine here; CP_ACP and 1252 are the only code pages it knows. Characters that 1252 lacks become
// the default character ('?' unless one is given) without best-fit mapping, so tests should use
// characters that have no near equivalent in 1252 (CJK, Cyrillic, symbols above U+FFFF).
#define CP_ACP 0u
#define WC_NO_BEST_FIT_CHARS 0x00000400u
#define ERROR_INVALID_FLAGS 1004u

// `length` -1: up to and with the terminating NUL. `size` 0: returns the bytes needed. Each
// UTF-16 unit becomes one byte, a lone or paired surrogate the default character.
int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR wide, int length, LPSTR multi, int size,
    LPCSTR default_char, LPBOOL used_default);
