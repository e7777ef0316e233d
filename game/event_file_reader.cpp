#include "game/event_file_reader.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace duskward_game {
namespace {

constexpr std::string_view line_end = "\r\n";
constexpr std::size_t info_lines = 6;
constexpr std::size_t lines_per_slot = 4;
constexpr std::size_t document_lines = info_lines + slot_count * lines_per_slot;

// Walks the lines of a whole document, field by field. The first fault is kept, with its line
// number; later fields are still read but no longer reported.
class document_parser {
public:
    explicit document_parser(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

    parse_result parse() {
        event_document document;
        parse_info(document);
        for (int slot = 0; slot < slot_count; ++slot) parse_slot(slot, document.slots[slot]);
        if (error_.empty()) check_ids(document);
        if (!error_.empty()) return malformed_document{error_};
        return document;
    }

private:
    void parse_info(event_document& document) {
        literal("[info]");
        expect(number("format_version = ") == 1, "format_version is not 1");
        expect(number("event_count = ") == slot_count, "event_count is not 8");
        document.last_slot = number("last_slot = ");
        expect(document.last_slot >= 0 && document.last_slot < slot_count, "last_slot out of range");
        document.polling_delay = number("polling_delay = ");
        document.suspend_input = number("suspend_input = ");
        expect(document.suspend_input == 0 || document.suspend_input == 1, "suspend_input is neither 0 nor 1");
    }

    void parse_slot(int slot, event_slot& event) {
        literal("[event@" + std::to_string(slot) + "]");
        event.text = quoted("text = ");
        event.type = rest("type = ");
        event.id = number("id = ");
        if (event.id == -1) {
            expect(event.text.empty() && event.type.empty(), "an empty slot holds a text or type");
        } else {
            expect(event.id >= 0 && event.id % slot_count == slot, "id does not belong in its slot");
        }
    }

    // The ring holds consecutive ids, the newest in the slot that last_slot names.
    void check_ids(const event_document& document) {
        std::vector<int> ids;
        for (const event_slot& event : document.slots) {
            if (event.id >= 0) ids.push_back(event.id);
        }
        if (ids.empty()) return;
        std::sort(ids.begin(), ids.end());
        for (std::size_t i = 1; i < ids.size(); ++i) {
            if (ids[i] != ids[i - 1] + 1) return fail_at(0, "the ids are not consecutive");
        }
        if (document.slots[document.last_slot].id != ids.back()) {
            fail_at(0, "last_slot does not hold the newest event");
        }
    }

    std::string_view next_line() { return lines_[next_++]; }

    void literal(const std::string& text) {
        if (next_line() != text) fail("expected '" + text + "'");
    }

    std::string rest(std::string_view prefix) {
        std::string_view line = next_line();
        if (!line.starts_with(prefix)) {
            fail("expected '" + std::string(prefix) + "'");
            return {};
        }
        return std::string(line.substr(prefix.size()));
    }

    std::string quoted(std::string_view prefix) {
        std::string value = rest(std::string(prefix) + "\"");
        if (value.empty() || value.back() != '"') {
            fail("the text has no closing quote");
            return {};
        }
        value.pop_back();
        return value;
    }

    int number(std::string_view prefix) {
        std::string digits = rest(prefix);
        int value = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
            fail("'" + digits + "' is not a number");
        }
        return value;
    }

    void expect(bool condition, const std::string& reason) {
        if (!condition) fail(reason);
    }
    void fail(const std::string& reason) { fail_at(next_, reason); }
    void fail_at(std::size_t line, const std::string& reason) {
        if (!error_.empty()) return;
        error_ = line == 0 ? reason : "line " + std::to_string(line) + ": " + reason;
    }

    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
    std::string error_;
};

std::vector<event_slot> events_by_id(const event_document& document) {
    std::vector<event_slot> events;
    for (const event_slot& event : document.slots) {
        if (event.id >= 0) events.push_back(event);
    }
    std::sort(events.begin(), events.end(), [](const event_slot& a, const event_slot& b) { return a.id < b.id; });
    return events;
}

bool same_event(const event_slot& a, const event_slot& b) { return a.type == b.type && a.text == b.text; }

// The file carries no connection number, so a restart shows only in how a document differs
// from what was printed. A reconnection that repeats the old events at the same ids, seen with
// no empty file in between, cannot be told from the old document, and is not reported.
bool numbering_restarted(const reader_state& state, const std::vector<event_slot>& events) {
    if (state.last_id < 0) return false;
    // Every slot empty happens only right after a reset.
    if (events.empty()) return true;
    int newest = events.back().id;
    if (newest < state.last_id) return true;
    // The file was emptied and then written again without a newer event: only a new
    // connection does that, as every rewrite within one adds an event.
    if (newest == state.last_id && state.saw_empty_file) return true;
    return std::any_of(events.begin(), events.end(), [&](const event_slot& event) {
        auto known = state.printed.find(event.id);
        return known != state.printed.end() && !same_event(known->second, event);
    });
}

std::string event_line(const event_slot& event) {
    return "event " + std::to_string(event.id) + " " + event.type + " " + event.text;
}

void print_new_events(reader_state& state, const event_document& document, std::vector<std::string>& lines) {
    std::vector<event_slot> events = events_by_id(document);
    if (numbering_restarted(state, events)) {
        lines.push_back("reset");
        state.last_id = -1;
        state.printed.clear();
    }
    for (const event_slot& event : events) {
        if (event.id <= state.last_id) continue;
        lines.push_back(event_line(event));
        state.last_id = event.id;
        state.printed[event.id] = event;
    }
    // Older ids can no longer be in the ring together with the newest one.
    std::erase_if(state.printed, [&](const auto& entry) { return entry.first <= state.last_id - slot_count; });
}

} // namespace

parse_result parse_event_document(std::string_view bytes) {
    // Only a CR at the very end can be the first half of a line end cut by a rewrite.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bool stray_lf = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
        bool stray_cr = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] != '\n';
        if (stray_lf || stray_cr) return malformed_document{"a bare CR or LF"};
    }
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (lines.size() <= document_lines) {
        std::size_t end = bytes.find(line_end, start);
        if (end == std::string_view::npos) break;
        lines.push_back(bytes.substr(start, end - start));
        start = end + line_end.size();
    }
    if (lines.size() < document_lines) return incomplete_document{};
    if (lines.size() > document_lines || start != bytes.size()) {
        return malformed_document{"bytes after the last line"};
    }
    return document_parser(std::move(lines)).parse();
}

int effective_polling_delay(int named_delay) { return std::max(named_delay, min_polling_delay_ms); }

std::vector<std::string> observe_read(reader_state& state, std::string_view bytes) {
    // Under Wine a file being cut can show a single zero byte for a moment: it is empty too.
    if (bytes.empty() || bytes == std::string_view("\0", 1)) {
        state.saw_empty_file = true;
        return {};
    }
    parse_result result = parse_event_document(bytes);
    if (const auto* bad = std::get_if<malformed_document>(&result)) {
        // A broken document stays until the next rewrite: say so once, not at every read.
        if (bytes == state.last_malformed) return {};
        state.last_malformed = std::string(bytes);
        return {"malformed: " + bad->reason};
    }
    const auto* document = std::get_if<event_document>(&result);
    if (document == nullptr) return {};

    std::vector<std::string> lines;
    print_new_events(state, *document, lines);
    state.saw_empty_file = false;
    state.last_malformed.clear();
    int delay = effective_polling_delay(document->polling_delay);
    if (delay != state.polling_delay) {
        state.polling_delay = delay;
        lines.push_back("polling " + std::to_string(delay));
    }
    return lines;
}

} // namespace duskward_game
