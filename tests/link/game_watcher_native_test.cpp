#include "link/game_watcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "event/shared_event_file.h"
#include "tests/link/watcher_scene.h"

namespace plv_duskward {
namespace {

using strings = std::vector<std::string>;

// One pass of the watcher: what the user does before it, and everything the pass is seen to do.
struct pass_step {
    const char* name;
    std::function<void()> change;
    strings lines;       // console lines the pass printed
    strings writes;      // documents it wrote, as describe_write sums them up
    bool file_open;      // an event file is open after it
    std::uint64_t sleep; // the interval it then sleeps
    int find_window;     // its FindWindowW calls
    bool keys_polled;
};

class GameWatcher : public ::testing::Test {
protected:
    void start() {
        scene_.start();
        drain();
    }
    // Forgets what happened so far, so that the next step sees only its own pass.
    void drain() {
        scene_.new_lines();
        scene_.new_writes();
        scene_.new_find_window_calls();
        scene_.new_key_reads();
    }
    void run(const std::vector<pass_step>& steps) {
        for (const pass_step& step : steps) {
            SCOPED_TRACE(step.name);
            if (step.change) step.change();
            scene_.next_pass();
            EXPECT_EQ(scene_.new_lines(), step.lines);
            EXPECT_EQ(scene_.new_writes(), step.writes);
            EXPECT_EQ(shared_event_file::instance().is_open(), step.file_open);
            EXPECT_EQ(standin::time_to_next_wakeup(), std::optional<std::uint64_t>(step.sleep));
            EXPECT_EQ(scene_.new_find_window_calls(), step.find_window);
            EXPECT_EQ(scene_.new_key_reads(), step.keys_polled ? 254 : 0);
        }
    }
    std::function<void()> to_front(HWND window) {
        return [window] { standin::set_foreground(window); };
    }
    static std::function<void()> scroll_lock(bool on) {
        return [on] { standin::set_key_toggled(VK_SCROLL, on); };
    }

    link_tests::watcher_scene scene_;
};

const std::string found_grey = "found 'Duskward: Grey Orchard'";
const std::string found_iron = "found 'Duskward: Iron Dawn'";

TEST_F(GameWatcher, FollowsTheGameFromPassToPass) {
    start();
    auto back_with_scroll_lock_off = [&] {
        standin::set_key_toggled(VK_SCROLL, false);
        standin::set_foreground(scene_.grey);
    };
    run({
        {"game away: a look every 4000 ms, nothing else", {}, {}, {}, false, 4000, 2, false},
        {"Grey Orchard to the front: found, new file, reset, init", to_front(scene_.grey), {found_grey},
            {"grey:reset@2000", "grey:init@2000"}, true, 500, 1, false},
        {"still in front", {}, {}, {}, true, 500, 0, false},
        {"Scroll Lock on: control mode", scroll_lock(true), {}, {"grey:control_on@2100"}, true, 125, 0, true},
        {"control mode goes on", {}, {}, {}, true, 125, 0, true},
        {"Scroll Lock off", scroll_lock(false), {}, {"grey:control_off@2100"}, true, 500, 0, false},
        {"Scroll Lock on again", scroll_lock(true), {}, {"grey:control_on@2100"}, true, 125, 0, true},
        {"front lost in control mode: file closed, no control_off", to_front(scene_.other), {}, {}, false, 4000, 2,
            false},
        {"back with Scroll Lock on: control mode at once", to_front(scene_.grey), {found_grey},
            {"grey:reset@1100", "grey:init@1100"}, true, 125, 1, true},
        {"away again", to_front(scene_.other), {}, {}, false, 4000, 2, false},
        {"back with Scroll Lock off: init, then control_off", back_with_scroll_lock_off, {found_grey},
            {"grey:reset@1100", "grey:init@1100", "grey:control_off@2100"}, true, 500, 1, false},
        {"straight to Iron Dawn: its own file in the same pass", to_front(scene_.iron), {found_iron},
            {"iron:reset@2100", "iron:init@2100"}, true, 500, 2, false},
        {"away, Iron Dawn looked up last", to_front(scene_.other), {}, {}, false, 4000, 2, false},
        {"Iron Dawn to the front: connected as the candidate, no search", to_front(scene_.iron), {},
            {"iron:reset@2100", "iron:init@2100"}, true, 500, 0, false},
    });
    EXPECT_EQ(scene_.file_size("grey"), 0) << "a game that left the front has an empty file";
}

TEST_F(GameWatcher, ScrollLockOnAtTheFirstConnectionWaitsForARelease) {
    standin::set_key_toggled(VK_SCROLL, true);
    start();
    run({
        {"connected, Scroll Lock already on", to_front(scene_.grey), {found_grey},
            {"grey:reset@2000", "grey:init@2000"}, true, 500, 1, false},
        {"still on: no control mode", {}, {}, {}, true, 500, 0, false},
        {"turned off: nothing to end", scroll_lock(false), {}, {}, true, 500, 0, false},
        {"turned on: control mode", scroll_lock(true), {}, {"grey:control_on@2100"}, true, 125, 0, true},
    });
    EXPECT_EQ(event_queue::instance().polling_delay, 1100);
}

TEST_F(GameWatcher, NoWindowInFrontIsNeverTheGameNotRunning) {
    standin::destroy_window(scene_.grey);
    standin::destroy_window(scene_.iron);
    standin::set_foreground(nullptr);
    start();
    run({
        {"no game, nothing in front", {}, {}, {}, false, 4000, 2, false},
        {"still nothing", {}, {}, {}, false, 4000, 2, false},
    });
}

TEST_F(GameWatcher, FirstConnectionWritesEmptySlotsThenInitInSlotZero) {
    start();
    standin::set_foreground(scene_.grey);
    scene_.next_pass();
    std::vector<standin::file_operation> record = standin::file_record();
    ASSERT_EQ(record.size(), 4u);
    EXPECT_NE(record[1].bytes.find("last_slot = 0\r\n"), std::string::npos);
    EXPECT_EQ(record[1].bytes.find("id = 0\r\n"), std::string::npos) << "eight empty slots first";
    const std::string init_section = "[event@0]\r\ntext = \"connection is enabled\"\r\ntype = init\r\nid = 0\r\n";
    EXPECT_NE(record[3].bytes.find(init_section), std::string::npos);
}

TEST_F(GameWatcher, KeysPressedInControlModeReachTheHostOnItsMainThread) {
    start();
    standin::set_foreground(scene_.grey);
    scene_.next_pass(); // Scroll Lock seen off
    standin::set_key_toggled(VK_SCROLL, true);
    standin::set_key_down(VK_CONTROL, true);
    standin::set_key_down(VK_SHIFT, true);
    standin::set_key_down('F', true);
    for (int pass = 0; pass < 3 * 8; ++pass) scene_.next_pass(); // three seconds of holding
    EXPECT_EQ(scene_.host.main_thread.run_pending(), 3u) << "Ctrl, Shift and F, each once";
    std::vector<standin_host::key_offer> offers = scene_.keys.offers();
    ASSERT_EQ(offers.size(), 9u);
    EXPECT_EQ(offers.back(), (standin_host::key_offer{3, 0x346, 0}));

    // A key posted just before the game leaves the front still reaches the host.
    scene_.keys.clear();
    standin::set_key_down(VK_CONTROL, false);
    standin::set_key_down(VK_SHIFT, false);
    standin::set_key_down('G', true);
    scene_.next_pass();
    standin::set_foreground(scene_.other);
    scene_.next_pass();
    EXPECT_EQ(scene_.host.main_thread.run_pending(), 1u);
    EXPECT_EQ(scene_.keys.offers().front(), (standin_host::key_offer{0, 'G', 0}));
}

TEST_F(GameWatcher, MissingPosterIsReportedAndTheWatcherGoesOn) {
    scene_.host.registry.remove_all(main_thread_poster::class_id);
    start();
    standin::set_foreground(scene_.grey);
    scene_.next_pass();
    drain();
    run({
        {"control mode without a poster: reported, no key read", scroll_lock(true), {"Error: Service not found"},
            {"grey:control_on@2100"}, true, 125, 0, false},
        {"the next pass runs and fails alike", {}, {"Error: Service not found"}, {}, true, 125, 0, false},
        {"leaving the front still closes the file", to_front(scene_.other), {}, {}, false, 4000, 2, false},
    });
}

TEST_F(GameWatcher, StopDuringTheLongSleepEndsTheThreadAtOnce) {
    start();
    ASSERT_EQ(standin::time_to_next_wakeup(), std::optional<std::uint64_t>(4000));
    scene_.stop();
    EXPECT_EQ(standin::virtual_now(), 0u) << "no time had to pass";
    standin::wait_until_threads_blocked();
    EXPECT_EQ(standin::running_threads(), 0u);
}

TEST_F(GameWatcher, StopWhileConnectedLeavesTheFileEmptyAndClosedWithNoEvent) {
    start();
    standin::set_foreground(scene_.grey);
    scene_.next_pass();
    drain();
    scene_.stop();
    EXPECT_FALSE(shared_event_file::instance().is_open());
    EXPECT_EQ(scene_.file_size("grey"), 0);
    EXPECT_TRUE(scene_.new_writes().empty());
    EXPECT_EQ(standin::virtual_now(), 4000u) << "stopped within its 500 ms sleep";
}

} // namespace
} // namespace plv_duskward
