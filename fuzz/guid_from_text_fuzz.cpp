// Identifier texts come from people: any text must read without a crash or a read past its end,
// and the identifier read must give back a text that reads as the same identifier.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/guid_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size); // ends with its own NUL
    const GUID id = plv_duskward::guid_from_text(text.c_str());
    const wex::text_buffer_64 written = plv_duskward::guid_to_text(id);
    if (written.get_length() != 36) std::abort();
    if (!(plv_duskward::guid_from_text(written.get_text()) == id)) std::abort();
    return 0;
}
