// A key held down is one press, however often the watcher looks at it: not when control mode ends
// and begins again, and not when the game leaves the front and comes back while it is held.

#include <gtest/gtest.h>

#include <functional>

#include "tests/link/watcher_scene.h"

namespace {

class HeldKey : public ::testing::Test {
protected:
    // The game in front in control mode, 'F' pressed and offered once.
    void SetUp() override {
        scene_.start();
        standin::set_foreground(scene_.grey);
        scene_.next_pass(); // Scroll Lock seen off
        standin::set_key_toggled(VK_SCROLL, true);
        standin::set_key_down('F', true);
        passes(4);
        ASSERT_EQ(offered(), 1u);
    }
    void passes(int count) {
        for (int pass = 0; pass < count; ++pass) scene_.next_pass();
    }
    // Presses that reached the host since the last look: one posted callback each.
    std::size_t offered() {
        const std::size_t presses = scene_.host.main_thread.run_pending();
        scene_.keys.clear();
        return presses;
    }

    link_tests::watcher_scene scene_;
};

TEST_F(HeldKey, IsOfferedOnceAcrossLeavingAndRegainingControlOrTheFront) {
    struct Interruption {
        const char* name;
        std::function<void()> leave;
        std::function<void()> come_back;
    };
    const Interruption interruptions[] = {
        {.name = "control mode off and on",
            .leave = [] { standin::set_key_toggled(VK_SCROLL, false); },
            .come_back = [] { standin::set_key_toggled(VK_SCROLL, true); }},
        {.name = "the game away and back",
            .leave = [this] { standin::set_foreground(scene_.other); },
            .come_back = [this] { standin::set_foreground(scene_.grey); }},
    };
    for (const Interruption& interruption : interruptions) {
        SCOPED_TRACE(interruption.name);
        interruption.leave();
        passes(2);
        interruption.come_back();
        passes(4);
        EXPECT_EQ(offered(), 0u) << "the same press, still held";
    }

    standin::set_key_down('F', false);
    passes(1);
    standin::set_key_down('F', true);
    passes(1);
    EXPECT_EQ(offered(), 1u) << "a new press";
}

} // namespace
