#include "link/key_callback.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "host/standin/key_processor.h"
#include "testing/standin/keyboard.h"
#include "tests/support/standin_host_fixture.h"

namespace plv_duskward {
namespace {

class KeyCallback : public ::testing::Test {
protected:
    KeyCallback() {
        standin::reset_keyboard();
        host_.registry.add(&first_);
        host_.registry.add(&second_);
    }
    ~KeyCallback() override { standin::reset_keyboard(); }

    // Runs one callback the way the host does: one reference, released after run.
    void press(std::int32_t virtual_key) {
        auto* callback = new service_impl_t<key_callback>(virtual_key);
        callback->add_ref();
        callback->run();
        EXPECT_EQ(callback->release(), 0);
    }

    static void hold(std::initializer_list<int> keys) {
        for (int key : keys) standin::set_key_down(key, true);
    }

    service_impl_single_t<standin_host::key_processor> first_;
    service_impl_single_t<standin_host::key_processor> second_;
    test_support::standin_host_fixture host_;
};

TEST_F(KeyCallback, KeyCodeCarriesTheModifiersHeldWhenItRuns) {
    struct row {
        const char* name;
        std::initializer_list<int> held;
        std::int32_t virtual_key;
        std::uint32_t key_code;
    };
    const row rows[] = {
        {"plain F", {}, 70, 70},
        {"Ctrl+Shift+F", {VK_CONTROL, VK_SHIFT}, 70, 0x346},
        {"Alt+1", {VK_MENU}, 49, 0x431},
        {"left Windows", {VK_LWIN}, 77, 0x84D},
        {"right Windows", {VK_RWIN}, 77, 0x84D},
        {"both Windows keys count once", {VK_LWIN, VK_RWIN}, 77, 0x84D},
        {"left Control alone, generic", {VK_CONTROL, VK_LCONTROL}, 17, 0x211},
        {"left Control alone, left", {VK_CONTROL, VK_LCONTROL}, 162, 0x2A2},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        standin::reset_keyboard();
        hold(r.held);
        EXPECT_EQ(read_key_code(r.virtual_key), r.key_code);
    }
}

TEST_F(KeyCallback, ModifiersAreReadInTheirOrderAndRightWindowsOnlyWhenLeftIsUp) {
    read_key_code(70);
    EXPECT_EQ(standin::take_key_state_reads(), (std::vector<int>{VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN, VK_RWIN}));
    hold({VK_LWIN});
    read_key_code(70);
    EXPECT_EQ(standin::take_key_state_reads(), (std::vector<int>{VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN}));
}

TEST_F(KeyCallback, KeyCodeIsBuiltAfreshForEachOffer) {
    press(70);
    EXPECT_EQ(standin::take_key_state_reads().size(), 2u * 3u * 5u) << "two processors, three contexts";
}

} // namespace
} // namespace plv_duskward
