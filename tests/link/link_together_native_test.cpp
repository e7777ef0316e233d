// The watcher thread, the key callbacks it posts and the playback events of the host's main
// thread, all at once: the thread sanitizer's look at the game link.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "event/event_queue.h"
#include "tests/link/watcher_scene.h"

namespace plv_duskward {
namespace {

TEST(LinkTogether, WatcherKeyCallbacksAndPlaybackPostsRunSideBySide) {
    link_tests::watcher_scene scene;
    scene.start();
    standin::set_foreground(scene.grey);
    scene.next_pass();
    standin::set_key_toggled(VK_SCROLL, true);

    std::atomic<bool> done{false};
    std::thread main_thread([&] {
        while (!done) {
            scene.host.main_thread.run_pending();
            post_event("Some Artist: Some Title", "track_change");
            std::this_thread::yield();
        }
        scene.host.main_thread.run_pending();
    });
    for (int pass = 0; pass < 200; ++pass) {
        standin::set_key_down('A' + (pass / 2) % 26, pass % 2 == 0);
        if (pass % 50 == 49) standin::set_foreground(scene.other);
        if (pass % 50 == 0) standin::set_foreground(scene.grey);
        scene.next_pass();
    }
    done = true;
    main_thread.join();
    scene.stop();

    EXPECT_FALSE(scene.keys.offers().empty());
    EXPECT_EQ(scene.file_size("grey"), 0);
}

} // namespace
} // namespace plv_duskward
