#pragma once
// The game's side of the event file, as its scripts read it: parse one read of the file and tell
// which events are new since the previous read. Plain functions over bytes, no Windows calls, so
// that the reading rules can be tested without a window or a file.

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace duskward_game {

constexpr int slot_count = 8;
constexpr int default_polling_delay_ms = 2000;
// The game never reads faster than this, whatever the file asks for.
constexpr int min_polling_delay_ms = 50;

struct event_slot {
    int id = -1;
    std::string type;
    std::string text;
};

struct event_document {
    int last_slot = 0;
    int polling_delay = 0;
    int suspend_input = 0;
    std::array<event_slot, slot_count> slots;
};

// Fewer lines than a whole document: empty, or caught in the middle of a rewrite.
struct incomplete_document {};
// A whole document that breaks the format: the writer has a fault.
struct malformed_document {
    std::string reason;
};

using parse_result = std::variant<event_document, incomplete_document, malformed_document>;

parse_result parse_event_document(std::string_view bytes);

// The delay before the next read: what the document names, but never below the floor.
int effective_polling_delay(int named_delay);

// What the reader remembers between reads.
struct reader_state {
    int last_id = -1;                  // newest event printed since the last restart, -1: none
    std::map<int, event_slot> printed; // the recent printed events, by id
    bool saw_empty_file = false;       // an empty file was read since the last document
    std::string last_malformed;        // the broken document already reported
    int polling_delay = default_polling_delay_ms;
};

// Takes one read of the file and returns the lines to print, in order: "reset" when the
// numbering restarted, "event ID TYPE TEXT" for each new event by rising id, "polling N" when
// the delay between reads changes, "malformed: REASON" for a broken whole document. An
// incomplete read is skipped; an empty one is remembered as a sign that the connection may have
// ended.
std::vector<std::string> observe_read(reader_state& state, std::string_view bytes);

} // namespace duskward_game
