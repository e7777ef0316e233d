// A key press offered to the host's key processors, on whatever Win32 the test runs on: natively on
// the stand-in, under Wine on the real thing, where no modifier key is held.

#include "link/key_callback.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "host/standin/key_processor.h"
#include "tests/support/standin_host_fixture.h"

namespace plv_duskward {
namespace {

using standin_host::key_offer;

class KeyOffer : public ::testing::Test {
protected:
    KeyOffer() {
        host_.registry.add(&first_);
        host_.registry.add(&second_);
    }

    // Runs one callback the way the host does: one reference, released after run.
    static void press(std::int32_t virtual_key) {
        auto* callback = new service_impl_t<key_callback>(virtual_key);
        callback->add_ref();
        callback->run();
        EXPECT_EQ(callback->release(), 0);
    }

    service_impl_single_t<standin_host::key_processor> first_;
    service_impl_single_t<standin_host::key_processor> second_;
    test_support::standin_host_fixture host_;
};

TEST_F(KeyOffer, EveryProcessorIsOfferedTheKeyUntilItHandlesIt) {
    struct row {
        const char* name;
        std::set<std::uint32_t> first_handles;
        std::vector<std::uint32_t> first_offered;
    };
    const row rows[] = {
        {"handles nothing", {}, {0, 2, 3}},
        {"handles context 0", {0}, {0}},
        {"handles context 2", {2}, {0, 2}},
        {"handles only context 1, which is never tried", {1}, {0, 2, 3}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        first_.clear();
        second_.clear();
        first_.handle_contexts(r.first_handles);
        press(70);
        std::vector<key_offer> expected_first;
        for (std::uint32_t context : r.first_offered) expected_first.push_back({context, 70, 0});
        EXPECT_EQ(first_.offers(), expected_first);
        EXPECT_EQ(second_.offers(), (std::vector<key_offer>{{0, 70, 0}, {2, 70, 0}, {3, 70, 0}}))
            << "the next processor is offered the key whatever the first answered";
    }
}

// An item that a processor puts into the list; it knows how many references it has left.
class counted_item : public main_thread_callback {
public:
    void run() override {}
};

TEST_F(KeyOffer, WhatAProcessorPutsIntoTheListIsReleased) {
    auto* item = new service_impl_t<counted_item>();
    item->add_ref();
    first_.add_item_to_each_list(item);
    press(70);
    EXPECT_EQ(first_.offers().size(), 3u);
    for (const key_offer& offer : first_.offers()) EXPECT_EQ(offer.items, 0u) << "the list starts empty";
    first_.add_item_to_each_list(nullptr);
    EXPECT_EQ(item->release(), 0) << "every reference given to a list came back";
}

TEST_F(KeyOffer, NoProcessorDropsTheKeyQuietly) {
    host_.registry.remove_all(key_shortcut_processor::class_id);
    press(70);
    EXPECT_TRUE(host_.lines().empty());
}

} // namespace
} // namespace plv_duskward
