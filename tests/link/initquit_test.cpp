// Starting and stopping the component's live work, on whatever Win32 the test runs on: natively
// on the stand-in, under Wine on the real thing.

#include "link/initquit.h"

#include <gtest/gtest.h>

#include "frame/errors.h"
#include "player/play_callback.h"
#include "tests/support/standin_host_fixture.h"

namespace plv_duskward {
namespace {

class InitQuit : public ::testing::Test {
protected:
    ~InitQuit() override {
        for (const auto& registration : host_.listeners.registrations())
            delete static_cast<service_impl_t<plv_duskward::play_callback>*>(
                static_cast<plv_duskward::play_callback*>(registration.listener));
    }

    test_support::standin_host_fixture host_;
    service_impl_single_t<plv_duskward::initquit> handler_;
};

TEST_F(InitQuit, StartRegistersTheListenerOnceWithItsMaskAndStopEndsTheWatcher) {
    handler_.on_start();
    handler_.on_stop();
    auto registrations = host_.listeners.registrations();
    ASSERT_EQ(registrations.size(), 1u);
    EXPECT_NE(registrations[0].listener, nullptr);
    EXPECT_EQ(registrations[0].mask, 542u);
    EXPECT_FALSE(registrations[0].flag);
    EXPECT_TRUE(host_.lines().empty()) << "the watcher ended within the time on_stop gives it";
}

TEST_F(InitQuit, StopBeforeAnyStartReturnsAtOnce) {
    handler_.on_stop();
    EXPECT_TRUE(host_.lines().empty());
}

TEST_F(InitQuit, StartWithoutARegistryLeavesAsServiceNotFound) {
    host_.registry.remove_all(play_callback_registry::class_id);
    EXPECT_THROW(handler_.on_start(), exception_service_not_found);
    handler_.on_stop(); // the watcher had been started all the same
    EXPECT_TRUE(host_.lines().empty());
}

} // namespace
} // namespace plv_duskward
