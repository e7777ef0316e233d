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
    ASSERT_EQ(scene.host.listeners.registrations().size(), 1u);
    EXPECT_EQ(scene.host.listeners.registrations()[0].mask, 542u);
    scene.stop();
    EXPECT_TRUE(scene.new_lines().empty()) << "nothing to wait for, nothing timed out";
}

TEST(InitQuitThreadStart, StartAfterAStopWatchesAgain) {
    link_tests::watcher_scene scene;
    scene.start();
    scene.stop();
    standin::set_foreground(scene.grey);
    scene.start();
    EXPECT_EQ(scene.new_lines(), std::vector<std::string>{"found 'Duskward: Grey Orchard'"});
    EXPECT_EQ(standin::running_threads(), 1u);
}

} // namespace
} // namespace plv_duskward
