#include "event/event_document.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/event/worked_example.h"

namespace plv_duskward {
namespace {

using ring = std::array<event, event_slot_count>;

event make_event(std::int32_t id, const char* text, const char* type) {
    event result;
    result.id = id;
    result.text.assign(text);
    result.type.assign(type);
    return result;
}

std::string render(const ring& slots, std::uint32_t last_slot = 0, std::int32_t delay = 2000, bool suspend = true) {
    event_document document;
    document.render(slots, last_slot, delay, suspend);
    return std::string(document.view());
}

TEST(EventDocument, WorkedExampleByteForByte) {
    ring slots;
    slots[0] = make_event(0, "connection is enabled", "init");
    slots[1] = make_event(1, "Some Artist: Some Title", "track_change");
    EXPECT_EQ(render(slots, 1), event_tests::worked_example);
}

// The document of a ring with no event, written out whole: the [info] section and eight empty
// slots.
const std::string empty_document = "[info]\r\n"
                                   "format_version = 1\r\n"
                                   "event_count = 8\r\n"
                                   "last_slot = 0\r\n"
                                   "polling_delay = 2000\r\n"
                                   "suspend_input = 1\r\n"
                                   "[event@0]\r\n"
                                   "text = \"\"\r\n"
                                   "type = \r\n"
                                   "id = -1\r\n"
                                   "[event@1]\r\n"
                                   "text = \"\"\r\n"
                                   "type = \r\n"
                                   "id = -1\r\n"
                                   "[event@2]\r\n"
                                   "text = \"\"\r\n"
                                   "type = \r\n"
                                   "id = -1\r\n"
                                   "[event@3]\r\n"
                                   "text = \"\"\r\n"
                                   "type = \r\n"
                                   "id = -1\r\n"
                                   "[event@4]\r\n"
                                   "text = \"\"\r\n"
                                   "type = \r\n"
                                   "id = -1\r\n"
                                   "[event@5]\r\n"
                                   "text = \"\"\r\n"
                                   "type = \r\n"
                                   "id = -1\r\n"
                                   "[event@6]\r\n"
                                   "text = \"\"\r\n"
                                   "type = \r\n"
                                   "id = -1\r\n"
                                   "[event@7]\r\n"
                                   "text = \"\"\r\n"
                                   "type = \r\n"
                                   "id = -1\r\n";

TEST(EventDocument, EmptyRingIs421BytesOfEmptySlots) {
    const std::string document = render(ring{});
    EXPECT_EQ(document.size(), 421u);
    EXPECT_EQ(document, empty_document);
}

// Ten posts after a reset: the slots hold ids 8, 9, 2, ..., 7 and the newest is in slot 1, so
// neither the order of the sections nor last_slot follows the ids any more.
TEST(EventDocument, RingThatWrappedListsSlotsInIndexOrder) {
    event_queue queue;
    for (int id = 0; id < 10; ++id) queue.post(("event " + std::to_string(id)).c_str(), id % 2 ? "pause" : "seek");
    const event_queue_access::snapshot ring_now = event_queue_access::read(queue);
    ASSERT_EQ(ring_now.last_slot, 1u);

    const std::string expected = "[info]\r\n"
                                 "format_version = 1\r\n"
                                 "event_count = 8\r\n"
                                 "last_slot = 1\r\n"
                                 "polling_delay = 2000\r\n"
                                 "suspend_input = 1\r\n"
                                 "[event@0]\r\ntext = \"event 8\"\r\ntype = seek\r\nid = 8\r\n"
                                 "[event@1]\r\ntext = \"event 9\"\r\ntype = pause\r\nid = 9\r\n"
                                 "[event@2]\r\ntext = \"event 2\"\r\ntype = seek\r\nid = 2\r\n"
                                 "[event@3]\r\ntext = \"event 3\"\r\ntype = pause\r\nid = 3\r\n"
                                 "[event@4]\r\ntext = \"event 4\"\r\ntype = seek\r\nid = 4\r\n"
                                 "[event@5]\r\ntext = \"event 5\"\r\ntype = pause\r\nid = 5\r\n"
                                 "[event@6]\r\ntext = \"event 6\"\r\ntype = seek\r\nid = 6\r\n"
                                 "[event@7]\r\ntext = \"event 7\"\r\ntype = pause\r\nid = 7\r\n";
    EXPECT_EQ(render(ring_now.slots, ring_now.last_slot), expected);
}

TEST(EventDocument, LineBreaksInsideTextOrTypeBecomeSpacesAndNothingElseChanges) {
    struct row {
        const char* name;
        const char* text;
        const char* type;
        const char* text_line;
        const char* type_line;
    };
    const row rows[] = {
        {"forged section", "a\r\n[event@1]\r\nid = 9", "t", "text = \"a  [event@1]  id = 9\"\r\n", "type = t\r\n"},
        {"lone CR and LF", "x\ry\nz", "p\nq", "text = \"x y z\"\r\n", "type = p q\r\n"},
        {"quotes and high bytes", "say \"hi\" \xE9\xFF", "ty\"pe", "text = \"say \"hi\" \xE9\xFF\"\r\n",
            "type = ty\"pe\r\n"},
        {"empty", "", "", "text = \"\"\r\n", "type = \r\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        ring slots;
        slots[0] = make_event(0, r.text, r.type);
        const std::string document = render(slots);
        const std::string section = std::string("[event@0]\r\n") + r.text_line + r.type_line + "id = 0\r\n";
        EXPECT_NE(document.find(section), std::string::npos) << document;
    }
}

TEST(EventDocument, NumbersAreSignedDecimalAndTheSwitchIsZeroOrOne) {
    const std::string negative = render(ring{}, 7, -250, false);
    EXPECT_NE(negative.find("last_slot = 7\r\npolling_delay = -250\r\nsuspend_input = 0\r\n"), std::string::npos);
    EXPECT_NE(render(ring{}, 0, INT_MIN).find("polling_delay = -2147483648\r\n"), std::string::npos);
}

TEST(EventDocument, ARenderReplacesThePreviousDocumentWhole) {
    event_document document;
    ring slots;
    slots[3] = make_event(3, std::string(300, 'x').c_str(), "long");
    document.render(slots, 3, 2000, true);
    document.render(ring{}, 0, 2000, true);
    EXPECT_EQ(document.view(), render(ring{}));
}

} // namespace
} // namespace plv_duskward
