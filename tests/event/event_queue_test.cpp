#include "event/event_queue.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/standin_host_fixture.h"

namespace plv_duskward {
namespace {

using snapshot = event_queue_access::snapshot;

// The one queue, emptied before and after each test, with its delay back at the start value.
class EventQueue : public ::testing::Test {
protected:
    void SetUp() override { restore(); }
    void TearDown() override { restore(); }
    static void restore() {
        event_queue::instance().polling_delay = 2000;
        event_queue::instance().reset();
    }
    static snapshot ring() { return event_queue_access::read(event_queue::instance()); }
    static void post_numbered(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string text = "event " + std::to_string(i);
            event_queue::instance().post(text.c_str(), "pause");
        }
    }
};

TEST_F(EventQueue, ANewQueueHoldsEightEmptyEventsAndTheStartDelay) {
    event_queue queue;
    const snapshot fresh = event_queue_access::read(queue);
    for (const event& slot : fresh.slots) {
        EXPECT_EQ(slot.id, -1);
        EXPECT_EQ(slot.text.view(), "");
        EXPECT_EQ(slot.type.view(), "");
    }
    EXPECT_EQ(fresh.next_id, 0u);
    EXPECT_EQ(fresh.last_slot, 0u);
    EXPECT_EQ(queue.polling_delay.load(), 2000);
}

TEST_F(EventQueue, FirstPostLandsInSlotZeroWithIdZero) {
    event_queue::instance().post("connection is enabled", "init");
    const snapshot after = ring();
    EXPECT_EQ(after.last_slot, 0u);
    EXPECT_EQ(after.next_id, 1u);
    EXPECT_EQ(after.slots[0].id, 0);
    EXPECT_EQ(after.slots[0].text.view(), "connection is enabled");
    EXPECT_EQ(after.slots[0].type.view(), "init");
    EXPECT_EQ(after.slots[1].id, -1);
}

TEST_F(EventQueue, PostWrapsToSlotZeroAfterEight) {
    post_numbered(9);
    const snapshot after = ring();
    EXPECT_EQ(after.last_slot, 0u);
    EXPECT_EQ(after.next_id, 9u);
    EXPECT_EQ(after.slots[0].id, 8);
    EXPECT_EQ(after.slots[0].text.view(), "event 8");
    for (std::int32_t slot = 1; slot < 8; ++slot) EXPECT_EQ(after.slots[slot].id, slot);

    post_numbered(1);
    EXPECT_EQ(ring().last_slot, 1u);
    EXPECT_EQ(ring().slots[1].id, 9);
}

TEST_F(EventQueue, ResetEmptiesEverySlotAndKeepsThePollingDelay) {
    event_queue::instance().polling_delay = 1000;
    post_numbered(11);
    event_queue::instance().reset();
    const snapshot after = ring();
    for (const event& slot : after.slots) {
        EXPECT_EQ(slot.id, -1);
        EXPECT_TRUE(slot.text.view().empty() && slot.type.view().empty());
    }
    EXPECT_EQ(after.next_id, 0u);
    EXPECT_EQ(after.last_slot, 0u);
    EXPECT_EQ(event_queue::instance().polling_delay.load(), 1000);
}

TEST_F(EventQueue, PostWithNoFileOpenChangesTheRingAndPrintsNothing) {
    test_support::standin_host_fixture host;
    post_event("seek to 1:23", "seek");
    EXPECT_EQ(ring().slots[0].text.view(), "seek to 1:23");
    EXPECT_EQ(ring().slots[0].type.view(), "seek");
    EXPECT_TRUE(host.lines().empty());
}

} // namespace
} // namespace plv_duskward
