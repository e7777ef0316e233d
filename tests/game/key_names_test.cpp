#include "game/key_names.h"

#include <gtest/gtest.h>

namespace duskward_game {
namespace {

TEST(KeyNames, NamesDigitsAndNumbersGiveTheirVirtualKeys) {
    struct name_case {
        const char* name;
        int virtual_key;
    };
    const name_case cases[] = {
        {"ctrl", 0x11},
        {"Shift", 0x10},
        {"alt", 0x12},
        {"lwin", 0x5B},
        {"rwin", 0x5C},
        {"f", 0x46},
        {"Z", 0x5A},
        {"7", 0x37},
        {"f1", 0x70},
        {"f12", 0x7B},
        {"f24", 0x87},
        {"space", 0x20},
        {"enter", 0x0D},
        {"left", 0x25},
        {"down", 0x28},
        {"numpad3", 0x63},
        {"70", 70},
        {"0x46", 0x46},
        {"0XB0", 0xB0},
        {"254", 254},
    };
    for (const name_case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(virtual_key_from_name(test.name), test.virtual_key);
    }
}

TEST(KeyNames, RejectsWhatIsNoKey) {
    for (const char* name : {"", "bogus", "f0", "f25", "00", "255", "0x0", "0x100", "-5", "12a", "!", "numpad"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(virtual_key_from_name(name), std::nullopt);
    }
}

} // namespace
} // namespace duskward_game
