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

TEST(EventDocument, EmptyRingIs421BytesOfEmptySlots) {
    const std::string document = render(ring{});
    EXPECT_EQ(document.size(), 421u);
    EXPECT_EQ(document.substr(0, 20), "[info]\r\nformat_versi");
    EXPECT_EQ(document.substr(document.size() - 40), "[event@7]\r\ntext = \"\"\r\ntype = \r\nid = -1\r\n");
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
