// Track tags are whatever the files hold: any bytes must convert without a crash, and the result
// is one NUL-terminated text no longer than the bytes it came from.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "player/utf8_to_ansi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that a read past the given length is caught.
    std::vector<char> text(data, data + size);
    const wex::scratch_string converted = plv_duskward::utf8_to_ansi(text.data(), text.size());
    if (converted.get_length() > size) std::abort();
    if (std::strlen(converted.get_text()) != converted.get_length()) std::abort();
    return 0;
}
