// The host may save the settings on a thread of its own while the user types on the preferences
// page. Run under the thread sanitizer, this shows the text settings safe against that.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "frame/settings_stream.h"
#include "frame/settings_stream_memory.h"
#include "player/settings.h"

namespace {

using bytes = std::vector<std::uint8_t>;

// The value of the record stored under `id`, found by walking the records.
std::string record_value(const bytes& stream, const GUID& id) {
    for (std::size_t at = 0; at + 20 <= stream.size();) {
        std::uint32_t size = 0;
        std::memcpy(&size, stream.data() + at + 16, 4); // little-endian, as every build here is
        if (std::memcmp(stream.data() + at, &id, 16) == 0)
            return std::string(stream.begin() + static_cast<std::ptrdiff_t>(at + 20),
                stream.begin() + static_cast<std::ptrdiff_t>(at + 20 + size));
        at += 20 + size;
    }
    return "(no record)";
}

TEST(TextSettingAcrossThreads, ASaveWhileTheUserTypesSeesOneWholeTextOrTheOther) {
    // Lengths far apart, so that each change moves the text to a buffer of another size.
    const std::string short_text = "seek";
    const std::string long_text(3000, 'x');
    const GUID id = static_cast<const cfg_var_reader&>(plv_duskward::cfg_seek_format).var_id;
    std::atomic<bool> typing{true};
    std::vector<std::string> torn;

    std::thread saver([&] {
        never_abort never;
        while (typing.load()) {
            memory_output out;
            plv_duskward::write_settings(out, never);
            const std::string saved = record_value(out.bytes(), id);
            if (saved != short_text && saved != long_text && saved != "seek to %time%") torn.push_back(saved);
        }
    });
    for (int keystroke = 0; keystroke < 4000; ++keystroke) {
        const std::string& typed = keystroke % 2 ? long_text : short_text;
        if (keystroke % 3 == 0) {
            plv_duskward::cfg_seek_format.assign(typed.c_str());
        } else { // the way a host fills a string it is given
            char* buffer = plv_duskward::cfg_seek_format.lock_buffer(typed.size());
            std::memcpy(buffer, typed.data(), typed.size());
            plv_duskward::cfg_seek_format.unlock_buffer();
        }
    }
    typing = false;
    saver.join();
    plv_duskward::reset_settings_to_defaults();
    EXPECT_TRUE(torn.empty()) << torn.size() << " saves caught a text half changed";
}

} // namespace
