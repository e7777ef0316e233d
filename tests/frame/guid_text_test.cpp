#include "frame/guid_text.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID sample = {0x00112233, 0x4455, 0x6677, {0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}};

TEST(GuidFromText, BracesCaseAndDashesDoNotMatter) {
    const char* texts[] = {
        "{00112233-4455-6677-8899-aabbccddeeff}",
        "00112233-4455-6677-8899-AABBCCDDEEFF",
        "00112233445566778899aabbccddeeff",
        "00112233--4455-6677---8899-aabbccddeeff}trailing text",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(plv_duskward::guid_from_text(text), sample);
    }
}

TEST(GuidFromText, ReadsOnlyTheGroupsThatLieBeforeTheEnd) {
    struct Case {
        const char* name;
        const char* text;
        GUID expected;
    };
    const Case cases[] = {
        {"empty", "", GUID{}},
        {"null", nullptr, GUID{}},
        {"first two groups", "00112233-4455", {0x00112233, 0x4455, 0, {}}},
        {"brace ends the text", "{00112233-4455}-6677", {0x00112233, 0x4455, 0, {}}},
        {"last group one digit short", "00112233-4455-6677-8899-aabbccddeef",
            {0x00112233, 0x4455, 0x6677, {0x88, 0x99}}},
        {"other characters count as 0", "0011zz33-4455-6677-8899-aabbccddeeff",
            {0x00110033, 0x4455, 0x6677, {0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plv_duskward::guid_from_text(c.text), c.expected);
    }
}

TEST(GuidToText, UpperCaseGroupsWithoutBracesAndReadsBack) {
    EXPECT_EQ(plv_duskward::guid_to_text(sample).view(), "00112233-4455-6677-8899-AABBCCDDEEFF");
    EXPECT_EQ(plv_duskward::guid_to_text(GUID{}).view(), "00000000-0000-0000-0000-000000000000");
    constexpr GUID high = {0xFEDCBA98, 0x7654, 0x3210, {0x0F, 0x1E, 0x2D, 0x3C, 0x4B, 0x5A, 0x69, 0x78}};
    EXPECT_EQ(plv_duskward::guid_from_text(plv_duskward::guid_to_text(high).get_text()), high);
}

} // namespace
