#pragma once
// The stand-in's clock, which Sleep and every timed wait run on. In its virtual mode (the default)
// time stands still until a test moves it, so a test can run minutes of a thread's sleeps in
// milliseconds and look at the world between any two of them. The real-time mode is for
// benchmarks, which measure how long things take.
//
// "The threads" below are those started with _beginthread: the clock knows when every one of them
// is blocked on it, or has ended, and only then moves time.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace standin {

// Milliseconds of virtual time since the last reset_clock.
std::uint64_t virtual_now();

// Switch only while nothing waits on the clock.
void use_real_time(bool real_time);

// Blocks until every thread is blocked on the clock (a Sleep, a wait on an event) or has ended.
// A thread that never gets there within a minute of real time is a hung test: it aborts.
void wait_until_threads_blocked();

// Waits as above, moves time to the earliest wake-up that any waiter has, wakes every waiter due by
// then and waits until the threads are blocked again. False, with time left alone, when nobody
// waits with a time-out.
bool advance_to_next_wakeup();

// Waits as above, then tells how far the earliest wake-up lies ahead; nothing when nobody waits
// with a time-out. Time stays where it is.
std::optional<std::uint64_t> time_to_next_wakeup();

// Advances wake-up by wake-up up to `time`, then sets the clock to `time` (if later).
void run_until(std::uint64_t time);

// Blocks until a thread not started with _beginthread (a test's own helper thread) waits on the
// clock, so that a test can release what that thread waits for only once it is waiting.
void wait_until_other_thread_waits();

// Threads started with _beginthread that have not ended yet.
std::size_t running_threads();

// Time back to 0. Only between tests, when nothing waits on the clock.
void reset_clock();

} // namespace standin
