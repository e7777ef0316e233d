#include "link/initquit.h"

#include <gtest/gtest.h>

#include "testing/standin/clock.h"
#include "testing/standin/threads.h"
#include "tests/link/watcher_scene.h"

namespace plv_duskward {
namespace {

TEST(InitQuitThreadStart, FailureIsOneLineAndTheListenerIsStillRegistered) {
    link_tests::watcher_scene scene;
    standin::set_thread_start_fails(true);
    scene.start();
    standin::set_thread_start_fails(false);
    EXPECT_EQ(scene.new_lines(), std::vector<std::string>{"Error: _beginthread(FindGameWindow) failed"});
    EXPECT_EQ(standin::running_threads(), 0u);
    EXPECT_EQ(standin::module_references(), 0u) << "the reference taken for the thread is given back";
    ASSERT_EQ(scene.host.listeners.registrations().size(), 1u);
    EXPECT_EQ(scene.host.listeners.registrations()[0].mask, 542u);
    scene.stop();
    EXPECT_TRUE(scene.new_lines().empty()) << "nothing to wait for, nothing timed out";
}

TEST(InitQuitThreadStart, StartAfterAStopWatchesAgainWithTheOneListener) {
    link_tests::watcher_scene scene;
    scene.start();
    scene.stop();
    standin::set_foreground(scene.grey);
    scene.start();
    EXPECT_EQ(scene.new_lines(), std::vector<std::string>{"found 'Duskward: Grey Orchard'"});
    EXPECT_EQ(standin::running_threads(), 1u);
    EXPECT_EQ(scene.host.listeners.registrations().size(), 1u);
}

// The host tells every listener registered; a second one would post every notification twice.
TEST(InitQuitThreadStart, TwoStartsAndOneStopGiveOneThreadOneListenerOneEventPerNotification) {
    link_tests::watcher_scene scene;
    standin::set_foreground(scene.grey);
    scene.start();
    scene.start();
    EXPECT_EQ(standin::running_threads(), 1u);
    const auto registrations = scene.host.listeners.registrations();
    EXPECT_EQ(registrations.size(), 1u);
    scene.new_writes();
    for (const auto& registration : registrations) registration.listener->on_pause(true);
    EXPECT_EQ(scene.new_writes(), std::vector<std::string>{"grey:pause@2100"});
    scene.stop();
    EXPECT_EQ(standin::running_threads(), 0u);
    EXPECT_EQ(standin::module_references(), 0u);
}

} // namespace
} // namespace plv_duskward
