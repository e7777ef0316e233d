#include "link/game_watcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <process.h>

#include "event/shared_event_file.h"
#include "link/watcher_thread.h"
#include "testing/standin/failures.h"
#include "testing/standin/threads.h"
#include "tests/link/watcher_scene.h"

namespace plv_duskward {
namespace {

using strings = std::vector<std::string>;

// One pass of the watcher: what the user does before it, and everything the pass is seen to do.
struct pass_step {
    const char* name;
    std::function<void()> change = {};
    strings lines = {};         // console lines the pass printed
    strings writes = {};        // documents it wrote, as describe_write sums them up
    bool file_open = false;     // an event file is open after it
    std::uint64_t sleep = 4000; // the interval it then sleeps
    int find_window = 0;        // its FindWindowW calls
    bool keys_polled = false;
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
        {.name = "game away: a look every 4000 ms, nothing else", .find_window = 2},
        {.name = "Grey Orchard to the front: found, new file, reset, init",
            .change = to_front(scene_.grey),
            .lines = {found_grey},
            .writes = {"grey:reset@2000", "grey:init@2000"},
            .file_open = true,
            .sleep = 500,
            .find_window = 1},
        {.name = "still in front", .file_open = true, .sleep = 500},
        {.name = "Scroll Lock on: control mode",
            .change = scroll_lock(true),
            .writes = {"grey:control_on@2100"},
            .file_open = true,
            .sleep = 125,
            .keys_polled = true},
        {.name = "control mode goes on", .file_open = true, .sleep = 125, .keys_polled = true},
        {.name = "Scroll Lock off",
            .change = scroll_lock(false),
            .writes = {"grey:control_off@2100"},
            .file_open = true,
            .sleep = 500},
        {.name = "Scroll Lock on again",
            .change = scroll_lock(true),
            .writes = {"grey:control_on@2100"},
            .file_open = true,
            .sleep = 125,
            .keys_polled = true},
        {.name = "front lost in control mode: file closed, no control_off",
            .change = to_front(scene_.other),
            .find_window = 2},
        {.name = "back with Scroll Lock on: control mode at once",
            .change = to_front(scene_.grey),
            .lines = {found_grey},
            .writes = {"grey:reset@1100", "grey:init@1100"},
            .file_open = true,
            .sleep = 125,
            .find_window = 1,
            .keys_polled = true},
        {.name = "away again", .change = to_front(scene_.other), .find_window = 2},
        {.name = "back with Scroll Lock off: init, then control_off",
            .change = back_with_scroll_lock_off,
            .lines = {found_grey},
            .writes = {"grey:reset@1100", "grey:init@1100", "grey:control_off@2100"},
            .file_open = true,
            .sleep = 500,
            .find_window = 1},
        {.name = "straight to Iron Dawn: its own file in the same pass",
            .change = to_front(scene_.iron),
            .lines = {found_iron},
            .writes = {"iron:reset@2100", "iron:init@2100"},
            .file_open = true,
            .sleep = 500,
            .find_window = 2},
        {.name = "away, Iron Dawn looked up last", .change = to_front(scene_.other), .find_window = 2},
        {.name = "Iron Dawn to the front: connected as the candidate, no search",
            .change = to_front(scene_.iron),
            .writes = {"iron:reset@2100", "iron:init@2100"},
            .file_open = true,
            .sleep = 500},
    });
    EXPECT_EQ(scene_.file_size("grey"), 0) << "a game that left the front has an empty file";
}

TEST_F(GameWatcher, ScrollLockOnAtTheFirstConnectionWaitsForARelease) {
    standin::set_key_toggled(VK_SCROLL, true);
    start();
    run({
        {.name = "connected, Scroll Lock already on",
            .change = to_front(scene_.grey),
            .lines = {found_grey},
            .writes = {"grey:reset@2000", "grey:init@2000"},
            .file_open = true,
            .sleep = 500,
            .find_window = 1},
        {.name = "still on: no control mode", .file_open = true, .sleep = 500},
        {.name = "turned off: nothing to end", .change = scroll_lock(false), .file_open = true, .sleep = 500},
        {.name = "turned on: control mode",
            .change = scroll_lock(true),
            .writes = {"grey:control_on@2100"},
            .file_open = true,
            .sleep = 125,
            .keys_polled = true},
    });
    EXPECT_EQ(event_queue::instance().polling_delay, 1100);
}

TEST_F(GameWatcher, NoWindowInFrontIsNeverTheGameNotRunning) {
    standin::destroy_window(scene_.grey);
    standin::destroy_window(scene_.iron);
    standin::set_foreground(nullptr);
    start();
    run({
        {.name = "no game, nothing in front", .find_window = 2},
        {.name = "still nothing", .find_window = 2},
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

// Without a poster every control-mode pass fails its key poll; eight lines a second would bury the
// console, so a period of control mode says it once, and again only after a poll got through.
TEST_F(GameWatcher, AFailingKeyPollIsReportedOncePerControlModePeriod) {
    scene_.host.registry.remove_all(main_thread_poster::class_id);
    start();
    standin::set_foreground(scene_.grey);
    scene_.next_pass();
    drain();
    auto poster = [this](bool present) -> std::function<void()> {
        return [this, present] {
            if (present) scene_.host.registry.add(&scene_.host.main_thread);
            else scene_.host.registry.remove_all(main_thread_poster::class_id);
        };
    };
    const std::string not_found = "Error: Service not found";
    run({
        {.name = "control mode without a poster: one line, no key read",
            .change = scroll_lock(true),
            .lines = {not_found},
            .writes = {"grey:control_on@2100"},
            .file_open = true,
            .sleep = 125},
        {.name = "failing again in the same period: no line", .file_open = true, .sleep = 125},
        {.name = "a poster comes: the poll gets through",
            .change = poster(true),
            .file_open = true,
            .sleep = 125,
            .keys_polled = true},
        {.name = "gone again after a poll got through: one line",
            .change = poster(false),
            .lines = {not_found},
            .file_open = true,
            .sleep = 125},
        {.name = "still failing: no line", .file_open = true, .sleep = 125},
        {.name = "control mode ends",
            .change = scroll_lock(false),
            .writes = {"grey:control_off@2100"},
            .file_open = true,
            .sleep = 500},
        {.name = "a new period: one line",
            .change = scroll_lock(true),
            .lines = {not_found},
            .writes = {"grey:control_on@2100"},
            .file_open = true,
            .sleep = 125},
        {.name = "leaving the front still closes the file", .change = to_front(scene_.other), .find_window = 2},
    });
}

// Checked right as on_stop returns: by then the thread has ended and given its module back.
TEST_F(GameWatcher, StopDuringTheLongSleepEndsTheThreadAtOnce) {
    start();
    ASSERT_EQ(standin::time_to_next_wakeup(), std::optional<std::uint64_t>(4000));
    scene_.stop();
    EXPECT_EQ(standin::virtual_now(), 0u) << "no time had to pass";
    EXPECT_EQ(standin::running_threads(), 0u);
    EXPECT_EQ(standin::module_references(), 0u);
}

TEST_F(GameWatcher, StopBeforeTheFirstPassEndsTheThreadWithoutAPass) {
    standin::set_foreground(scene_.grey);
    standin::hold_new_threads(true); // the thread is made but runs nothing yet
    scene_.handler.on_start();
    std::thread stopping([this] { scene_.stop(); });
    standin::wait_until_other_thread_waits(); // on_stop has asked for the stop and waits
    standin::hold_new_threads(false);
    stopping.join();
    EXPECT_EQ(standin::virtual_now(), 0u);
    EXPECT_EQ(standin::running_threads(), 0u);
    EXPECT_EQ(standin::module_references(), 0u);
    EXPECT_EQ(scene_.new_find_window_calls(), 0) << "no pass ran";
    EXPECT_TRUE(scene_.new_lines().empty());
    EXPECT_EQ(scene_.file_size("grey"), -1) << "no file was made";
}

// The host's main thread posts while the watcher waits in CreateFileW for a disk that stalls: the
// post goes through at once. The post runs on a thread the stand-in counts, so that a post stuck
// on the file's lock shows as a thread that never blocks on the clock (the clock then aborts).
TEST_F(GameWatcher, APostIsNotHeldUpByAConnectionWaitingOnASlowDisk) {
    standin::delay_call(standin::failing_call::create_file, 30000);
    start();
    standin::set_foreground(scene_.grey);
    scene_.next_pass(); // it finds the game and waits in CreateFileW
    ASSERT_EQ(standin::time_to_next_wakeup(), std::optional<std::uint64_t>(30000));
    const std::uint64_t before = standin::virtual_now();
    _beginthread([](void*) { post_event("Some Artist: Some Title", "track_change"); }, 0, nullptr);
    standin::wait_until_threads_blocked();
    EXPECT_EQ(standin::running_threads(), 1u) << "the post is done; only the watcher waits";
    EXPECT_EQ(standin::virtual_now(), before);
    standin::clear_failures();
    standin::run_until(before + 30000); // the disk answers
    EXPECT_TRUE(shared_event_file::instance().is_open());
}

// A watcher stuck on its disk outlives a stop that timed out; a start after it gets a thread with
// signals of its own, and each thread sees its own stop.
TEST_F(GameWatcher, AStopThatTimedOutLeavesTheStuckThreadItsOwnSignals) {
    standin::delay_call(standin::failing_call::create_file, 60000);
    standin::set_foreground(scene_.grey);
    start(); // stuck in CreateFileW until 60000
    std::thread stopping([this] { scene_.handler.on_stop(); });
    standin::wait_until_other_thread_waits();
    standin::run_until(watcher_stop_limit_ms);
    stopping.join();
    EXPECT_EQ(scene_.new_lines(), strings{"Error: plv_duskward game watcher did not stop in time"});

    standin::clear_failures();
    scene_.start();
    EXPECT_EQ(standin::running_threads(), 2u) << "a new watcher beside the stuck one";
    scene_.stop();
    EXPECT_EQ(standin::running_threads(), 1u) << "the new one has ended; the stuck one still waits";
    standin::run_until(60000);
    standin::wait_until_threads_blocked();
    EXPECT_EQ(standin::running_threads(), 0u) << "the stuck one saw its own stop once its disk answered";
    EXPECT_EQ(standin::module_references(), 0u);
    EXPECT_FALSE(shared_event_file::instance().is_open());
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
