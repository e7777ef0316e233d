#include "game/event_file_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace duskward_game {
namespace {

struct posted {
    int id;
    std::string type;
    std::string text;
};

// A document as the component writes it, built here independently of the parser.
std::string document(const std::vector<posted>& events, int polling_delay = 2000) {
    std::vector<posted> slots(slot_count, posted{-1, "", ""});
    int last_slot = 0;
    for (const posted& event : events) {
        slots[event.id % slot_count] = event;
        last_slot = event.id % slot_count;
    }
    std::string text = "[info]\r\nformat_version = 1\r\nevent_count = 8\r\nlast_slot = " + std::to_string(last_slot) +
        "\r\npolling_delay = " + std::to_string(polling_delay) + "\r\nsuspend_input = 1\r\n";
    for (int slot = 0; slot < slot_count; ++slot) {
        text += "[event@" + std::to_string(slot) + "]\r\ntext = \"" + slots[slot].text +
            "\"\r\ntype = " + slots[slot].type + "\r\nid = " + std::to_string(slots[slot].id) + "\r\n";
    }
    return text;
}

const posted init{0, "init", "connection is enabled"};
const posted track{1, "track_change", "Some Artist: Some Title"};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(EventFileReader, ParsesEveryFieldOfAWholeDocument) {
    parse_result result = parse_event_document(document({init, track}, 300));
    const auto* parsed = std::get_if<event_document>(&result);
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(parsed->last_slot, 1);
    EXPECT_EQ(parsed->polling_delay, 300);
    EXPECT_EQ(parsed->suspend_input, 1);
    EXPECT_EQ(parsed->slots[1].id, 1);
    EXPECT_EQ(parsed->slots[1].type, "track_change");
    EXPECT_EQ(parsed->slots[1].text, "Some Artist: Some Title");
    EXPECT_EQ(parsed->slots[7].id, -1);
}

TEST(EventFileReader, KeepsQuotesInsideATextAndReadsNegativeDelays) {
    parse_result result = parse_event_document(document({{0, "init", "say \"hi\" = ok"}}, -5));
    const auto* parsed = std::get_if<event_document>(&result);
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(parsed->slots[0].text, "say \"hi\" = ok");
    EXPECT_EQ(parsed->polling_delay, -5);
}

TEST(EventFileReader, TellsIncompleteReadsFromBrokenDocuments) {
    const std::string whole = document({init, track});
    struct read_case {
        const char* name;
        std::string bytes;
        bool malformed; // else incomplete
    };
    const read_case cases[] = {
        {"empty", "", false},
        {"cut inside a line", whole.substr(0, 200), false},
        {"cut between CR and LF", whole.substr(0, whole.size() - 1), false},
        {"cut after a line", whole.substr(0, whole.find("[event@3]")), false},
        {"bytes after the last line", whole + "x", true},
        {"a line too many", whole + "x\r\n", true},
        {"a bare LF inside a text", replaced(whole, "Some Title", "Some\nTitle"), true},
        {"lines ending in LF alone", replaced(whole, "[info]\r\n", "[info]\n"), true},
        {"another format version", replaced(whole, "format_version = 1", "format_version = 2"), true},
        {"not a number", replaced(whole, "polling_delay = 2000", "polling_delay = 2k"), true},
        {"no closing quote", replaced(whole, "Some Title\"", "Some Title"), true},
        {"an id in the wrong slot", replaced(whole, "id = 1\r\n", "id = 9\r\n"), true},
        {"last_slot not the newest", replaced(whole, "last_slot = 1", "last_slot = 0"), true},
        {"a section out of order", replaced(whole, "[event@2]", "[event@5]"), true},
    };
    for (const read_case& test : cases) {
        SCOPED_TRACE(test.name);
        parse_result result = parse_event_document(test.bytes);
        if (test.malformed) {
            EXPECT_TRUE(std::holds_alternative<malformed_document>(result));
        } else {
            EXPECT_TRUE(std::holds_alternative<incomplete_document>(result));
        }
    }
}

TEST(EventFileReader, NeverReadsFasterThanTheFloor) {
    EXPECT_EQ(effective_polling_delay(-1), min_polling_delay_ms);
    EXPECT_EQ(effective_polling_delay(10), min_polling_delay_ms);
    EXPECT_EQ(effective_polling_delay(300), 300);
}

// The lines printed over a sequence of reads of the file.
std::vector<std::string> lines_after(const std::vector<std::string>& reads) {
    reader_state state;
    std::vector<std::string> lines;
    for (const std::string& bytes : reads) {
        for (std::string& line : observe_read(state, bytes)) lines.push_back(std::move(line));
    }
    return lines;
}

TEST(EventFileReader, PrintsEachNewEventOnceAndResetWhenTheNumberingRestarts) {
    const std::string empty_slots = document({});
    const std::string first = document({init, track});
    const std::string half = first.substr(0, 150);
    const std::vector<std::string> first_lines = {
        "event 0 init connection is enabled", "event 1 track_change Some Artist: Some Title"};
    auto with_reset = [&](std::vector<std::string> tail) {
        std::vector<std::string> lines = first_lines;
        lines.push_back("reset");
        lines.insert(lines.end(), tail.begin(), tail.end());
        return lines;
    };
    struct sequence_case {
        const char* name;
        std::vector<std::string> reads;
        std::vector<std::string> lines;
    };
    const sequence_case cases[] = {
        {"a first connection, seen in every state", {"", empty_slots, document({init}), first, first, half, first},
            first_lines},
        {"a first connection seen only at its end", {first}, first_lines},
        {"a reconnection seen in every state", {first, "", empty_slots, document({init})},
            with_reset({"event 0 init connection is enabled"})},
        {"a reconnection seen only at its end", {first, document({init})},
            with_reset({"event 0 init connection is enabled"})},
        {"a reconnection with other events at the same ids",
            {first, document({init, {1, "control_off", "control is OFF"}})},
            with_reset({"event 0 init connection is enabled", "event 1 control_off control is OFF"})},
        {"a reconnection repeating the same events, after the emptied file", {first, "", first},
            with_reset(first_lines)},
        {"a rewrite caught empty within one connection", {first, "", document({init, track, {2, "pause", "paused"}})},
            {first_lines[0], first_lines[1], "event 2 pause paused"}},
    };
    for (const sequence_case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(lines_after(test.reads), test.lines);
    }
}

TEST(EventFileReader, PrintsTheNewEventsOfAWrappedRingInIdOrder) {
    std::vector<posted> events;
    for (int id = 0; id < 12; ++id) events.push_back({id, "seek", std::to_string(id)});
    std::vector<posted> early(events.begin(), events.begin() + 4);
    std::vector<posted> late(events.begin() + 4, events.end());
    std::vector<std::string> expected = {"event 0 seek 0", "event 1 seek 1", "event 2 seek 2", "event 3 seek 3"};
    for (int id = 4; id < 12; ++id) expected.push_back("event " + std::to_string(id) + " seek " + std::to_string(id));
    EXPECT_EQ(lines_after({document(early), document(late)}), expected);
}

TEST(EventFileReader, TellsADelayChangeAndABrokenDocumentOnce) {
    const std::string broken = replaced(document({init}), "event_count = 8", "event_count = 7");
    EXPECT_EQ(
        lines_after({document({}, 10), document({}, 10), document({}, 300), broken, broken, document({init}, 300)}),
        (std::vector<std::string>{"polling 50", "polling 300", "malformed: line 3: event_count is not 8",
            "event 0 init connection is enabled"}));
}

} // namespace
} // namespace duskward_game
