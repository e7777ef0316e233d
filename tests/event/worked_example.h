#pragma once
// The event file after a connection (reset, then "init") and one track change, with the polling
// delay 2000 and "Suspend game input" on: the document the game parses, byte for byte.

#include <string_view>

namespace event_tests {

inline constexpr std::string_view worked_example = "[info]\r\n"
                                                   "format_version = 1\r\n"
                                                   "event_count = 8\r\n"
                                                   "last_slot = 1\r\n"
                                                   "polling_delay = 2000\r\n"
                                                   "suspend_input = 1\r\n"
                                                   "[event@0]\r\n"
                                                   "text = \"connection is enabled\"\r\n"
                                                   "type = init\r\n"
                                                   "id = 0\r\n"
                                                   "[event@1]\r\n"
                                                   "text = \"Some Artist: Some Title\"\r\n"
                                                   "type = track_change\r\n"
                                                   "id = 1\r\n"
                                                   "[event@2]\r\ntext = \"\"\r\ntype = \r\nid = -1\r\n"
                                                   "[event@3]\r\ntext = \"\"\r\ntype = \r\nid = -1\r\n"
                                                   "[event@4]\r\ntext = \"\"\r\ntype = \r\nid = -1\r\n"
                                                   "[event@5]\r\ntext = \"\"\r\ntype = \r\nid = -1\r\n"
                                                   "[event@6]\r\ntext = \"\"\r\ntype = \r\nid = -1\r\n"
                                                   "[event@7]\r\ntext = \"\"\r\ntype = \r\nid = -1\r\n";

} // namespace event_tests
