// Weeks of a player's uptime in seconds, on the stand-in's virtual clock: the whole component with
// its watcher running, through a million playback events, ten thousand connections of the game
// and a thousand starts and stops. At the start and end of each phase it prints the heap bytes in
// use, the stand-in's open handles and its live threads, and what each post or cycle added.
//
//   cmake --preset bench && cmake --build --preset bench --target soak_bench
//   build/bench/bin/soak_bench              the full run
//   build/bench/bin/soak_bench --short      a hundredth of it; exits 1 if any figure grew

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "host/standin/title_formatter.h"
#include "host/standin/track.h"
#include "testing/standin/clock.h"
#include "testing/standin/desktop.h"
#include "testing/standin/files.h"
#include "testing/standin/handle_table.h"
#include "testing/standin/keyboard.h"
#include "tests/link/watcher_scene.h"

namespace {

std::atomic<long long> heap_bytes{0};

// Room in front of each block for its size, kept at the alignment that new must give.
constexpr std::size_t header = alignof(std::max_align_t);

} // namespace

// Every allocation of the program passes here, so the bytes in use are known at any moment. The
// compiler cannot see that new and delete are replaced as a pair and warns about malloc/free.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + header));
    if (block == nullptr) throw std::bad_alloc();
    std::memcpy(block, &size, sizeof size);
    heap_bytes.fetch_add(static_cast<long long>(size), std::memory_order_relaxed);
    return block + header;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept {
    if (memory == nullptr) return;
    auto* block = static_cast<unsigned char*>(memory) - header;
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    heap_bytes.fetch_sub(static_cast<long long>(size), std::memory_order_relaxed);
    std::free(block);
}
void operator delete[](void* memory) noexcept { operator delete(memory); }
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete[](void* memory, std::size_t) noexcept { operator delete(memory); }
#pragma GCC diagnostic pop

namespace {

struct figures {
    long long heap;
    long long handles;
    long long threads;
};

figures now() {
    standin::wait_until_threads_blocked();
    return {heap_bytes.load(), static_cast<long long>(standin::open_handle_count()),
        static_cast<long long>(standin::running_threads())};
}

// Prints the phase's figures; false when any of them grew.
bool report(const char* phase, const char* unit, long long count, const figures& start, const figures& end) {
    std::printf("%-22s heap %10lld -> %10lld bytes   handles %3lld -> %3lld   threads %lld -> %lld\n", phase,
        start.heap, end.heap, start.handles, end.handles, start.threads, end.threads);
    std::printf("%-22s %.4f heap bytes, %.6f handles, %.6f threads per %s (%lld %ss)\n", "",
        static_cast<double>(end.heap - start.heap) / static_cast<double>(count),
        static_cast<double>(end.handles - start.handles) / static_cast<double>(count),
        static_cast<double>(end.threads - start.threads) / static_cast<double>(count), unit, count, unit);
    return end.heap <= start.heap && end.handles <= start.handles && end.threads <= start.threads;
}

class soak {
public:
    soak() {
        standin::stop_file_record(); // the record would grow with every write
        scene_.host.registry.add(&formatter_);
        scene_.start();
        listener_ = scene_.host.listeners.registrations().front().listener;
    }

    // Titles, seeks and volumes, as a listener hears them on the main thread, with a pass of the
    // watcher now and then.
    bool posts(long long count) {
        standin::set_foreground(scene_.grey);
        scene_.next_pass();
        post_mixed(1000); // the ring and the document reach their steady size
        settle();
        const figures start = now();
        for (long long done = 0; done < count; done += 1000) {
            post_mixed(1000);
            scene_.next_pass();
            settle();
        }
        settle();
        return report("posts", "post", count, start, now());
    }

    // The game comes to the front and leaves it.
    bool connections(long long count) {
        return repeat("connect/disconnect", count, [this] { connect_cycle(); });
    }

    bool starts_and_stops(long long count) {
        return repeat("on_start/on_stop", count, [this] { start_stop_cycle(); });
    }

private:
    // One cycle first, so that what the first one makes once is not counted as growth.
    template <class Cycle>
    bool repeat(const char* phase, long long count, Cycle cycle) {
        cycle();
        settle();
        const figures start = now();
        for (long long done = 0; done < count; ++done) {
            cycle();
            settle();
        }
        settle();
        return report(phase, "cycle", count, start, now());
    }

    void post_mixed(int count) {
        for (int i = 0; i < count; ++i) {
            switch (i % 3) {
            case 0:
                song_.add_ref(); // the reference that the call carries
                listener_->on_new_track(&song_);
                break;
            case 1: listener_->on_seek(static_cast<double>(i) * 1.5); break;
            default: listener_->on_volume_change(-static_cast<float>(i % 40)); break;
            }
        }
    }
    void connect_cycle() {
        standin::set_foreground(scene_.other);
        scene_.next_pass();
        standin::set_foreground(scene_.grey);
        scene_.next_pass();
    }
    void start_stop_cycle() {
        scene_.stop();
        scene_.start();
    }
    // What the host and the stand-in keep of their own (console lines, posted work, the record of
    // key reads) is not the component's: it is
    // let go of after every step, so that it never outgrows what the warm-up made room for.
    void settle() {
        scene_.host.main_thread.run_pending();
        scene_.host.console.clear();
        scene_.keys.clear();
        standin::take_key_state_reads();
    }

    // Before the scene, whose registry lets go of them when it goes.
    standin_host::title_formatter formatter_;
    standin_host::track song_{"C:\\Music\\Cold Lake - Ember.flac", {{"artist", "Cold Lake"}, {"title", "Ember"}}};
    link_tests::watcher_scene scene_;
    play_callback* listener_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    const bool short_form = argc > 1 && std::strcmp(argv[1], "--short") == 0;
    const long long scale = short_form ? 100 : 1;
    bool flat = true;
    {
        soak run;
        flat = run.posts(1000000 / scale) && flat;
        flat = run.connections(10000 / scale) && flat;
        flat = run.starts_and_stops(1000 / scale) && flat;
    }
    std::printf("%s\n", flat ? "flat: no figure grew" : "GREW: a figure above rose during its phase");
    return flat ? 0 : 1;
}
