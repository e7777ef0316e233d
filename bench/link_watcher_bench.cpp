// How promptly the game watcher stops, and what one of its passes costs in Win32 calls.
//
// Stop: the watcher sleeps its longest interval (4000 ms, nothing in front) when on_stop comes;
// on real time, on_stop returns once the thread has ended. Printed: the time that took, and its
// ratio to the 4000 ms a stop could take if it waited for the sleep to run out, and to the 50 ms
// aimed at.
// Calls: one pass with the game away, one in control mode, on the virtual clock; printed per
// pass.

#include <windows.h>

#include <benchmark/benchmark.h>

#include <chrono>

#include "frame/module_state.h"
#include "host/standin/listener_registry.h"
#include "host/standin/main_thread_queue.h"
#include "host/standin/standin_host.h"
#include "link/initquit.h"
#include "player/play_callback.h"
#include "testing/standin/clock.h"
#include "testing/standin/desktop.h"
#include "testing/standin/keyboard.h"

namespace {

using plv_duskward::initquit;

// The host the component needs to start: a poster and a listener registry, the console off.
class bench_host {
public:
    bench_host() {
        registry.add(&main_thread);
        registry.add(&listeners);
        plv_duskward::set_host_services(&registry);
        standin::reset_desktop();
        standin::reset_keyboard();
        standin::reset_clock();
    }
    ~bench_host() {
        plv_duskward::set_host_services(nullptr);
        for (const auto& registration : listeners.registrations())
            delete static_cast<service_impl_t<plv_duskward::play_callback>*>(
                static_cast<plv_duskward::play_callback*>(registration.listener));
    }

    service_impl_single_t<standin_host::main_thread_queue> main_thread;
    service_impl_single_t<standin_host::listener_registry> listeners;
    standin_host::registry registry;
    service_impl_single_t<initquit> handler;
};

void BM_StopWhileSleepingTheLongestInterval(benchmark::State& state) {
    standin::use_real_time(true);
    bench_host host;
    double total_ms = 0;
    for (auto _ : state) {
        host.handler.on_start();
        standin::wait_until_threads_blocked(); // the first pass is done, the 4000 ms sleep begun
        auto begin = std::chrono::steady_clock::now();
        host.handler.on_stop();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
        standin::wait_until_threads_blocked();
        state.SetIterationTime(took.count());
        total_ms += took.count() * 1000;
    }
    double mean_ms = total_ms / static_cast<double>(state.iterations());
    state.counters["stop_ms"] = mean_ms;
    state.counters["of_4000ms_sleep"] = mean_ms / 4000;
    state.counters["of_50ms_target"] = mean_ms / 50;
    standin::use_real_time(false);
}
BENCHMARK(BM_StopWhileSleepingTheLongestInterval)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// Runs the watcher pass by pass, `state` counting each, after `prepare` has set the scene.
template <class Prepare>
void count_calls_per_pass(benchmark::State& state, Prepare prepare) {
    bench_host host;
    HWND game = standin::add_window(L"Duskward: Grey Orchard", standin::add_process(L"X:\\game\\bin\\game.exe"));
    standin::set_foreground(standin::add_window(L"Notes", standin::add_process(L"X:\\notes.exe")));
    host.handler.on_start();
    standin::wait_until_threads_blocked();
    prepare(game);
    standin::desktop_calls desktop_before = standin::desktop_call_counts();
    standin::keyboard_calls keyboard_before = standin::keyboard_call_counts();
    for (auto _ : state) standin::advance_to_next_wakeup();
    standin::desktop_calls desktop = standin::desktop_call_counts();
    standin::keyboard_calls keyboard = standin::keyboard_call_counts();
    auto per_pass = [&](int calls) { return benchmark::Counter(calls, benchmark::Counter::kAvgIterations); };
    state.counters["GetForegroundWindow"] = per_pass(desktop.foreground - desktop_before.foreground);
    state.counters["FindWindowW"] = per_pass(desktop.find_window - desktop_before.find_window);
    state.counters["GetKeyState"] = per_pass(keyboard.key_state - keyboard_before.key_state);
    state.counters["GetAsyncKeyState"] = per_pass(keyboard.async_key_state - keyboard_before.async_key_state);
    host.handler.on_stop();
    standin::wait_until_threads_blocked();
}

void BM_CallsOfAPassWithTheGameAway(benchmark::State& state) {
    count_calls_per_pass(state, [](HWND) {});
}
BENCHMARK(BM_CallsOfAPassWithTheGameAway)->Iterations(100);

void BM_CallsOfAPassInControlMode(benchmark::State& state) {
    count_calls_per_pass(state, [](HWND game) {
        standin::set_foreground(game);
        standin::advance_to_next_wakeup(); // connected, Scroll Lock seen off
        standin::set_key_toggled(VK_SCROLL, true);
        standin::advance_to_next_wakeup(); // control mode begins
    });
}
BENCHMARK(BM_CallsOfAPassInControlMode)->Iterations(100);

} // namespace

BENCHMARK_MAIN();
