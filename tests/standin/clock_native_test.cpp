// The stand-in's virtual clock, which every watcher test leans on: threads wake exactly when time
// reaches their wake-up, and an event ends a timed wait without time passing.

#include <process.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "frame/handles.h"
#include "testing/standin/clock.h"

namespace {

class StandinClock : public ::testing::Test {
protected:
    StandinClock() { standin::reset_clock(); }
    ~StandinClock() override {
        while (standin::running_threads() != 0) standin::advance_to_next_wakeup();
    }
};

struct sleeper_record {
    std::vector<std::uint64_t> woke_at;
};

void sleep_three_times(void* argument) {
    auto* record = static_cast<sleeper_record*>(argument);
    for (DWORD interval : {4000u, 500u, 125u}) {
        Sleep(interval);
        record->woke_at.push_back(standin::virtual_now());
    }
}

TEST_F(StandinClock, SleepsEndExactlyWhenTimeReachesThem) {
    sleeper_record record;
    ASSERT_NE(_beginthread(sleep_three_times, 0, &record), static_cast<std::uintptr_t>(-1));
    EXPECT_EQ(standin::time_to_next_wakeup(), 4000u);
    EXPECT_TRUE(record.woke_at.empty()) << "no time passes by itself";
    standin::run_until(4600);
    EXPECT_EQ(record.woke_at, (std::vector<std::uint64_t>{4000, 4500}));
    EXPECT_EQ(standin::virtual_now(), 4600u);
    EXPECT_TRUE(standin::advance_to_next_wakeup());
    standin::wait_until_threads_blocked();
    EXPECT_EQ(record.woke_at.back(), 4625u);
    EXPECT_EQ(standin::running_threads(), 0u);
    EXPECT_FALSE(standin::advance_to_next_wakeup());
}

struct waiter_record {
    HANDLE event;
    std::atomic<DWORD> result{0xDEAD};
    std::atomic<std::uint64_t> woke_at{0};
};

void wait_on_event(void* argument) {
    auto* record = static_cast<waiter_record*>(argument);
    record->result = WaitForSingleObject(record->event, 4000);
    record->woke_at = standin::virtual_now();
}

TEST_F(StandinClock, SetEventEndsATimedWaitWithoutTimePassing) {
    wex::unique_event event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    waiter_record record{event.get()};
    _beginthread(wait_on_event, 0, &record);
    standin::wait_until_threads_blocked();
    SetEvent(event.get());
    standin::wait_until_threads_blocked();
    EXPECT_EQ(record.result, WAIT_OBJECT_0);
    EXPECT_EQ(record.woke_at, 0u);
}

TEST_F(StandinClock, TimedWaitRunsOutWhenTimeReachesIt) {
    wex::unique_event event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    waiter_record record{event.get()};
    _beginthread(wait_on_event, 0, &record);
    EXPECT_TRUE(standin::advance_to_next_wakeup());
    EXPECT_EQ(record.result, WAIT_TIMEOUT);
    EXPECT_EQ(record.woke_at, 4000u);
}

TEST_F(StandinClock, AutoResetEventLetsOneWaiterThrough) {
    wex::unique_event event(CreateEventW(nullptr, FALSE, TRUE, nullptr));
    EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_TIMEOUT);
}

} // namespace
