#pragma once
// Internal to the stand-in: the one primitive that Sleep and the waitable objects block on, so
// that the clock can tell when every thread is blocked and wake whoever is due.

#include <windows.h>

#include <functional>

namespace standin {

// Blocks until `try_acquire` succeeds or `milliseconds` have passed on the clock (INFINITE: never
// times out; 0: does not block). `try_acquire` may be empty (a plain sleep); it runs under the
// clock's lock, at once and after every clock_change, and takes what it waits for when it says
// true (an auto-reset event resets itself there). Returns whether it acquired.
bool clock_wait(const std::function<bool()>& try_acquire, DWORD milliseconds);

// Runs `change` under the clock's lock, then lets every waiter try to acquire again. State that a
// try_acquire reads is changed only through here.
void clock_change(const std::function<void()>& change);

// Bracket the body of a thread started with _beginthread, so that the clock counts it.
void thread_starting();
void enter_counted_thread();
void thread_ended();

} // namespace standin
