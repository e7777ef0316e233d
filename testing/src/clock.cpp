#include "testing/standin/clock.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <list>
#include <mutex>

#include "testing/standin/clock_wait.h"

namespace standin {
namespace {

constexpr std::uint64_t no_deadline = std::numeric_limits<std::uint64_t>::max();
constexpr auto hung_after = std::chrono::minutes(1);

struct waiter {
    const std::function<bool()>* try_acquire = nullptr; // null: a plain sleep
    std::uint64_t deadline = no_deadline;               // virtual milliseconds
    bool counted = false;                               // a thread of _beginthread: it counts as blocked while it waits
    bool done = false;
    bool acquired = false;
};

struct clock_state {
    std::mutex lock;
    std::condition_variable woken;   // waiters wait on it for `done`
    std::condition_variable settled; // tests wait on it for every thread to block
    std::uint64_t now = 0;
    bool real_time = false;
    std::list<waiter*> waiters;
    std::size_t live_threads = 0;
    std::size_t blocked_threads = 0;
};

clock_state& state() {
    static clock_state instance;
    return instance;
}

thread_local bool counted_thread = false;

// With the lock held.
void finish(clock_state& s, waiter& w, bool acquired) {
    w.done = true;
    w.acquired = acquired;
    if (w.counted) {
        --s.blocked_threads;
        s.settled.notify_all();
    }
}

void wait_settled(clock_state& s, std::unique_lock<std::mutex>& held) {
    bool settled = s.settled.wait_for(held, hung_after, [&] { return s.blocked_threads == s.live_threads; });
    if (!settled) {
        std::fprintf(stderr, "stand-in clock: a thread neither blocks on the clock nor ends\n");
        std::abort();
    }
}

std::uint64_t earliest_deadline(const clock_state& s) {
    std::uint64_t earliest = no_deadline;
    for (const waiter* w : s.waiters)
        if (!w->done && w->deadline < earliest) earliest = w->deadline;
    return earliest;
}

// Moves time to the earliest wake-up, if it is at most `limit`, and wakes those due.
bool advance_locked(clock_state& s, std::unique_lock<std::mutex>& held, std::uint64_t limit) {
    wait_settled(s, held);
    std::uint64_t earliest = earliest_deadline(s);
    if (earliest == no_deadline || earliest > limit) return false;
    s.now = earliest;
    for (waiter* w : s.waiters)
        if (!w->done && w->deadline <= s.now) finish(s, *w, false);
    s.woken.notify_all();
    wait_settled(s, held);
    return true;
}

void block_real_time(clock_state& s, std::unique_lock<std::mutex>& held, waiter& w, DWORD milliseconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    if (!s.woken.wait_until(held, until, [&] { return w.done; })) finish(s, w, false);
}

} // namespace

bool clock_wait(const std::function<bool()>& try_acquire, DWORD milliseconds) {
    clock_state& s = state();
    std::unique_lock<std::mutex> held(s.lock);
    if (try_acquire && try_acquire()) return true;
    if (milliseconds == 0) return false;

    waiter w;
    w.try_acquire = try_acquire ? &try_acquire : nullptr;
    w.counted = counted_thread;
    if (milliseconds != INFINITE && !s.real_time) w.deadline = s.now + milliseconds;
    s.waiters.push_back(&w);
    if (w.counted) ++s.blocked_threads;
    s.settled.notify_all();
    if (s.real_time && milliseconds != INFINITE) block_real_time(s, held, w, milliseconds);
    else s.woken.wait(held, [&] { return w.done; });
    s.waiters.remove(&w);
    return w.acquired;
}

void clock_change(const std::function<void()>& change) {
    clock_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    change();
    for (waiter* w : s.waiters)
        if (!w->done && w->try_acquire != nullptr && (*w->try_acquire)()) finish(s, *w, true);
    s.woken.notify_all();
}

void thread_starting() {
    clock_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    ++s.live_threads;
}

void enter_counted_thread() { counted_thread = true; }

void thread_ended() {
    clock_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    --s.live_threads;
    s.settled.notify_all();
}

std::uint64_t virtual_now() {
    clock_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.now;
}

void use_real_time(bool real_time) {
    clock_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.real_time = real_time;
}

void wait_until_threads_blocked() {
    clock_state& s = state();
    std::unique_lock<std::mutex> held(s.lock);
    wait_settled(s, held);
}

bool advance_to_next_wakeup() {
    clock_state& s = state();
    std::unique_lock<std::mutex> held(s.lock);
    return advance_locked(s, held, no_deadline);
}

std::optional<std::uint64_t> time_to_next_wakeup() {
    clock_state& s = state();
    std::unique_lock<std::mutex> held(s.lock);
    wait_settled(s, held);
    std::uint64_t earliest = earliest_deadline(s);
    if (earliest == no_deadline) return std::nullopt;
    return earliest - s.now;
}

void run_until(std::uint64_t time) {
    clock_state& s = state();
    std::unique_lock<std::mutex> held(s.lock);
    while (advance_locked(s, held, time)) {}
    if (time > s.now) s.now = time;
}

void wait_until_other_thread_waits() {
    clock_state& s = state();
    std::unique_lock<std::mutex> held(s.lock);
    auto other_waits = [&] {
        for (const waiter* w : s.waiters)
            if (!w->counted && !w->done) return true;
        return false;
    };
    if (!s.settled.wait_for(held, hung_after, other_waits)) {
        std::fprintf(stderr, "stand-in clock: no other thread came to wait on the clock\n");
        std::abort();
    }
}

std::size_t running_threads() {
    clock_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.live_threads;
}

void reset_clock() {
    clock_state& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.now = 0;
}

} // namespace standin

void Sleep(DWORD milliseconds) { standin::clock_wait({}, milliseconds); }
