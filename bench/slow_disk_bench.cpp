// A playback event posted on the host's main thread while the game watcher waits in CreateFileW
// for a disk that stalls (a game on a network share), against the same post with the watcher
// asleep. Neither has an event file open: the post renders the document and finds no file, so the
// two differ only in what the watcher is doing. Printed: the time of each post and their ratio;
// a post that had to wait for the file's creation would not come back at all.

#include <windows.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "event/event_queue.h"
#include "frame/module_state.h"
#include "host/standin/listener_registry.h"
#include "host/standin/main_thread_queue.h"
#include "host/standin/standin_host.h"
#include "link/initquit.h"
#include "player/play_callback.h"
#include "testing/standin/clock.h"
#include "testing/standin/desktop.h"
#include "testing/standin/failures.h"
#include "testing/standin/files.h"
#include "testing/standin/keyboard.h"

namespace {

// The game installed on drive X:, another window in front, the component started: its watcher
// sleeps its 4000 ms on the virtual clock, which stands still while the posts are timed.
class scene {
public:
    scene() {
        standin::reset_desktop();
        standin::reset_keyboard();
        standin::reset_clock();
        std::filesystem::create_directories(drive_.root() / "game" / "bin");
        std::filesystem::create_directories(drive_.root() / "game" / "gamedata");
        game = standin::add_window(L"Duskward: Grey Orchard", standin::add_process(L"X:\\game\\bin\\game.exe"));
        standin::set_foreground(standin::add_window(L"Notes", standin::add_process(L"X:\\notes.exe")));
        registry_.add(&main_thread_);
        registry_.add(&listeners_);
        plv_duskward::set_host_services(&registry_);
        handler_.on_start();
        standin::wait_until_threads_blocked();
    }
    ~scene() {
        standin::clear_failures();
        handler_.on_stop();
        plv_duskward::set_host_services(nullptr);
        for (const auto& registration : listeners_.registrations())
            delete static_cast<service_impl_t<plv_duskward::play_callback>*>(
                static_cast<plv_duskward::play_callback*>(registration.listener));
        standin::reset_desktop();
    }

    // The game comes to the front and the watcher's next pass waits in CreateFileW for good.
    void stall_the_watcher_in_create_file() {
        standin::delay_call(standin::failing_call::create_file, 24 * 3600 * 1000);
        standin::set_foreground(game);
        standin::advance_to_next_wakeup();
    }
    // Lets the stalled creation end, so that the watcher can be stopped.
    void release() {
        standin::clear_failures();
        standin::run_until(standin::virtual_now() + 24 * 3600 * 1000);
    }

    HWND game = nullptr;

private:
    standin::scoped_drive drive_;
    service_impl_single_t<standin_host::main_thread_queue> main_thread_;
    service_impl_single_t<standin_host::listener_registry> listeners_;
    standin_host::registry registry_;
    service_impl_single_t<plv_duskward::initquit> handler_;
};

// The mean time of one post over the benchmark's iterations, in nanoseconds.
double time_posts(benchmark::State& state) {
    auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) plv_duskward::post_event("Some Artist: Some Title", "track_change");
    std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - begin;
    return took.count() / static_cast<double>(state.iterations());
}

double nothing_blocked_ns = 0;

void BM_PostWithTheWatcherAsleep(benchmark::State& state) {
    scene s;
    nothing_blocked_ns = time_posts(state);
    state.counters["post_ns"] = nothing_blocked_ns;
}
BENCHMARK(BM_PostWithTheWatcherAsleep);

void BM_PostWhileTheWatcherWaitsOnASlowDisk(benchmark::State& state) {
    scene s;
    s.stall_the_watcher_in_create_file();
    const double blocked_ns = time_posts(state);
    state.counters["post_ns"] = blocked_ns;
    if (nothing_blocked_ns > 0) state.counters["of_post_with_watcher_asleep"] = blocked_ns / nothing_blocked_ns;
    s.release();
}
BENCHMARK(BM_PostWhileTheWatcherWaitsOnASlowDisk);

} // namespace

BENCHMARK_MAIN();
