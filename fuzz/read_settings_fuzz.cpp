// The host's stored settings are bytes that anyone may have edited or cut short: reading them must
// never crash, and whatever was read must survive being written and read again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "frame/errors.h"
#include "frame/settings_stream.h"
#include "frame/settings_stream_memory.h"
#include "player/settings.h"

namespace {

std::vector<std::uint8_t> written_settings() {
    memory_output out;
    never_abort never;
    plv_duskward::write_settings(out, never);
    return out.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plv_duskward::reset_settings_to_defaults();
    never_abort never;
    memory_input stored(data, size);
    try {
        plv_duskward::read_settings(stored, never);
    } catch (const plavora_io::exception_io_data_truncation&) {
        // A stream cut short: what was read before stays, which the round trip below checks.
    }
    const std::vector<std::uint8_t> first = written_settings();
    memory_input again(first);
    plv_duskward::read_settings(again, never);
    if (written_settings() != first) std::abort();
    return 0;
}
