#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "frame/scratch_string.h"

namespace plv_duskward {

// The game reads its event file in the system's ANSI code page, so a track title (UTF-8 from the
// host) is converted before it is posted. The text ends at the first NUL, at a malformed or cut
// off sequence (overlong forms included) or at a code point above U+10FFFF: what came before is
// kept. Characters that the code page lacks become its default character. A conversion that fails
// gives "".
wex::scratch_string utf8_to_ansi(const char* text, std::size_t length);

// Its first stage: the part that decodes, as UTF-16 units (code points above U+FFFF as surrogate
// pairs), ending with a NUL.
std::vector<WCHAR> utf16_units(const char* text, std::size_t length);

} // namespace plv_duskward
