// The system's error texts go inside a console line: the component drops their line break itself.

#include "event/event_file_location.h"

#include <gtest/gtest.h>

#include <string_view>

namespace plv_duskward {
namespace {

TEST(SystemText, TheTrailingLineBreakIsDroppedAndNothingElse) {
    struct row {
        std::string_view text;
        std::string_view kept;
    };
    const row rows[] = {
        {.text = "Access is denied.\r\n", .kept = "Access is denied."},
        {.text = "The disk is full. \r\n", .kept = "The disk is full."},
        {.text = "Line one.\r\nLine two.\r\n", .kept = "Line one.\r\nLine two."},
        {.text = "No break.", .kept = "No break."},
        {.text = "\r\n", .kept = ""},
        {.text = "", .kept = ""},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(r.text.substr(0, system_text_length(r.text)), r.kept);
    }
}

} // namespace
} // namespace plv_duskward
