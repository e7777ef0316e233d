// The queue writing through the shared event file to a file on the stand-in's drive.

#include <atomic>
#include <string>
#include <thread>

#include "event/event_document.h"
#include "player/settings.h"
#include "tests/event/event_file_fixture.h"
#include "tests/event/worked_example.h"

namespace event_tests {
namespace {

using EventQueueFile = EventFileTest;

std::string rendering_of_the_ring() {
    auto ring = plv_duskward::event_queue_access::read(plv_duskward::event_queue::instance());
    plv_duskward::event_document document;
    document.render(ring.slots, ring.last_slot, plv_duskward::event_queue::instance().polling_delay,
        plv_duskward::cfg_suspend_input.get());
    return std::string(document.view());
}

TEST_F(EventQueueFile, AConnectionAndATrackChangeGiveTheWorkedExample) {
    file().open_for_window(window_);
    queue().reset();
    queue().post("connection is enabled", "init");
    queue().post("Some Artist: Some Title", "track_change");
    EXPECT_EQ(content(event_file()), worked_example);
    EXPECT_TRUE(host_.lines().empty());
}

TEST_F(EventQueueFile, OnePostIsOneCutAndOneWriteOfTheWholeDocument) {
    file().open_for_window(window_);
    queue().post("pause", "pause");
    standin::start_file_record();
    queue().post("stop", "stop");
    const auto record = standin::file_record();
    ASSERT_EQ(record.size(), 2u);
    EXPECT_EQ(record[0].kind, standin::file_operation_kind::cut);
    EXPECT_EQ(record[0].position, 0u);
    EXPECT_EQ(record[1].kind, standin::file_operation_kind::write);
    EXPECT_EQ(record[1].position, 0u);
    EXPECT_EQ(record[1].bytes, rendering_of_the_ring());
    EXPECT_EQ(record[1].path, L"X:\\game\\gamedata\\config\\plvr.ltx");
    EXPECT_EQ(content(event_file()), record[1].bytes);
}

TEST_F(EventQueueFile, WithNoFileOpenPostsAndResetsTouchNothingOnDisk) {
    standin::start_file_record();
    queue().post("volume -6 dB", "volume_change");
    queue().reset();
    EXPECT_TRUE(standin::file_record().empty());
    EXPECT_FALSE(std::filesystem::exists(event_file()));
    EXPECT_TRUE(host_.lines().empty());
}

TEST_F(EventQueueFile, DelayAndSuspendSwitchReachTheFileOnlyWithTheNextRewrite) {
    file().open_for_window(window_);
    queue().reset();
    queue().polling_delay = 1000;
    plv_duskward::cfg_suspend_input = false;
    const std::string before = content(event_file());
    EXPECT_NE(before.find("polling_delay = 2000\r\nsuspend_input = 1\r\n"), std::string::npos);

    queue().post("control is ON", "control_on");
    plv_duskward::cfg_suspend_input = true;
    EXPECT_NE(content(event_file()).find("polling_delay = 1000\r\nsuspend_input = 0\r\n"), std::string::npos);
}

TEST_F(EventQueueFile, AFailedWriteIsReportedAndTheNextRewriteStartsOver) {
    file().open_for_window(window_);
    standin::fail_call(standin::failing_call::write_file, ERROR_DISK_FULL);
    queue().post("pause", "pause");
    EXPECT_EQ(host_.lines(), std::vector<std::string>{"Error: plv_duskward failed to write to file"});
    EXPECT_EQ(content(event_file()), "");
    EXPECT_TRUE(file().is_open());

    standin::clear_failures();
    queue().post("pause", "pause");
    EXPECT_EQ(content(event_file()), rendering_of_the_ring());
}

// The watcher connecting again and again while the main thread and the watcher post: every
// rewrite happens whole under the queue's lock, so the last one leaves the file matching the ring.
TEST_F(EventQueueFile, PostsFromTwoThreadsWhileAThirdReconnectsLeaveTheFileMatchingTheRing) {
    constexpr int posts_per_thread = 3000;
    constexpr int connections = 200;
    std::atomic<bool> connected_for_good{false};
    auto poster = [&](const char* type) {
        for (int i = 0; i < posts_per_thread || !connected_for_good.load(); ++i) {
            const std::string text = std::string(type) + " " + std::to_string(i);
            queue().post(text.c_str(), type);
        }
        queue().post("after the last connection", type); // lands after the last open
    };
    std::thread watcher([&] {
        for (int i = 0; i <= connections; ++i) {
            if (i != 0) file().close();
            file().open_for_window(window_);
            queue().reset();
            queue().post("connection is enabled", "init");
        }
        connected_for_good = true;
    });
    std::thread main_thread(poster, "seek");
    std::thread other(poster, "volume_change");
    watcher.join();
    main_thread.join();
    other.join();

    EXPECT_EQ(content(event_file()), rendering_of_the_ring());
    const auto ring = plv_duskward::event_queue_access::read(queue());
    ASSERT_GE(ring.next_id, 3u) << "init and each thread's post after the last connection";
    // The newest ids, at most eight, each in its slot; the slots not reached since the reset empty.
    const std::uint32_t oldest = ring.next_id > 8 ? ring.next_id - 8 : 0;
    for (std::uint32_t id = oldest; id < ring.next_id; ++id)
        EXPECT_EQ(ring.slots[id % 8].id, static_cast<std::int32_t>(id));
    for (std::uint32_t slot = ring.next_id; slot < 8; ++slot) EXPECT_EQ(ring.slots[slot].id, -1);
    EXPECT_EQ(ring.last_slot, (ring.next_id - 1) % 8);
    EXPECT_TRUE(host_.lines().empty());
}

} // namespace
} // namespace event_tests
