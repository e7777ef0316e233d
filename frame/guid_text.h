#pragma once
// The text form of 128-bit identifiers: 8-4-4-4-12 hexadecimal digits, as they appear in help
// addresses and wherever a person reads or types an identifier.

#include <windows.h>

#include "frame/text_buffer.h"

namespace plv_duskward {

// Reads an identifier from its text, with or without braces and with any number of "-" (also
// none) between the groups. A digit that is no hexadecimal digit counts as 0. Groups that the
// text ends before are left 0; a null text gives the zero identifier.
GUID guid_from_text(const char* text);

// Upper-case digits, "-" between the groups, no braces: always 36 characters.
wex::text_buffer_64 guid_to_text(const GUID& id);

} // namespace plv_duskward
