// One post with the event file open, against the floor of the same real calls on the same kind of
// file: SetFilePointer to the start, SetEndOfFile, one WriteFile of the same bytes. Built with
// MinGW and run on Windows or under Wine, where no Google Benchmark is at hand: a timing loop of
// its own, rounds of posts and of floors taking turns, the fastest round of each counted, since
// other work on a shared machine only ever adds time.
//
//   scripts/with-wine build/win64/bin/post_floor_timing.exe
//   scripts/with-wine /usr/lib/wine/wine build/win32/bin/post_floor_timing.exe
//
// The game's folder is the build folder: the program's own window stands for the game's, so the
// event file is <build>\gamedata\config\plvr.ltx, made for the run and removed after it.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

#include "bench/track_texts.h"
#include "event/event_document.h"
#include "event/event_queue.h"
#include "event/shared_event_file.h"

namespace {

namespace fs = std::filesystem;
using plv_duskward::event_queue;

using bench_texts::text_count;
using bench_texts::texts;
constexpr int calls_per_round = 2000;
constexpr int rounds = 15;

fs::path own_folder() {
    WCHAR path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return {};
    return fs::path(path).parent_path();
}

double seconds_per_tick() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1.0 / static_cast<double>(frequency.QuadPart);
}

template <class Work>
double nanoseconds_per_call(Work&& work) {
    static const double tick = seconds_per_tick();
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls_per_round; ++i) work(i);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * tick * 1e9 / calls_per_round;
}

std::string current_document() {
    auto ring = plv_duskward::event_queue_access::read(event_queue::instance());
    plv_duskward::event_document document;
    document.render(ring.slots, ring.last_slot, 2000, true);
    return std::string(document.view());
}

// The floor's file beside the event file, created as the component creates its own.
HANDLE create_floor_file(const fs::path& folder) {
    return CreateFileW((folder / L"floor.ltx").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int measure(HWND window, const fs::path& config) {
    plv_duskward::shared_event_file::instance().open_for_window(window);
    if (!plv_duskward::shared_event_file::instance().is_open()) {
        std::fprintf(stderr, "the event file could not be opened in %ls\n", config.c_str());
        return 1;
    }
    // A full ring, so that every post replaces an event of the same length.
    event_queue::instance().reset();
    for (std::size_t i = 0; i < 2 * text_count; ++i)
        event_queue::instance().post(texts[i % text_count], "track_change");

    const std::string document = current_document();
    HANDLE floor_file = create_floor_file(config);
    if (floor_file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "CreateFileW of the floor's file failed: %lu\n", GetLastError());
        return 1;
    }
    auto post = [](int i) { event_queue::instance().post(texts[i % text_count], "track_change"); };
    auto floor = [&](int) {
        SetFilePointer(floor_file, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(floor_file);
        DWORD written = 0;
        WriteFile(floor_file, document.data(), static_cast<DWORD>(document.size()), &written, nullptr);
    };

    // The same calls inside the two holds of a Windows mutex that a post takes, one for the cut
    // and one for the write: where a wait is a round trip to a server, as under Wine, it shows.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
    auto floor_locked = [&](int) {
        WaitForSingleObject(mutex, INFINITE);
        SetFilePointer(floor_file, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(floor_file);
        ReleaseMutex(mutex);
        WaitForSingleObject(mutex, INFINITE);
        DWORD written = 0;
        WriteFile(floor_file, document.data(), static_cast<DWORD>(document.size()), &written, nullptr);
        ReleaseMutex(mutex);
    };

    double fastest_post = std::numeric_limits<double>::infinity();
    double fastest_floor = std::numeric_limits<double>::infinity();
    double fastest_locked = std::numeric_limits<double>::infinity();
    for (int round = 0; round < rounds; ++round) {
        fastest_post = std::min(fastest_post, nanoseconds_per_call(post));
        fastest_floor = std::min(fastest_floor, nanoseconds_per_call(floor));
        fastest_locked = std::min(fastest_locked, nanoseconds_per_call(floor_locked));
    }
    CloseHandle(mutex);
    CloseHandle(floor_file);
    plv_duskward::shared_event_file::instance().close();

    std::printf("%d-bit: post with the event file open %.0f ns; floor (SetFilePointer, SetEndOfFile, one WriteFile of "
                "%zu bytes) %.0f ns\n",
        static_cast<int>(sizeof(void*) * 8), fastest_post, document.size(), fastest_floor);
    std::printf("post / floor = %.3f (fastest of %d rounds of %d calls each)\n", fastest_post / fastest_floor, rounds,
        calls_per_round);
    std::printf("the floor inside two holds of a mutex %.0f ns; post / that = %.3f\n", fastest_locked,
        fastest_post / fastest_locked);
    return 0;
}

} // namespace

int main() {
    const fs::path bin = own_folder();
    if (bin.empty()) {
        std::fprintf(stderr, "GetModuleFileNameW failed\n");
        return 1;
    }
    // The event file is found from the executable of the window's process: this program's own,
    // one folder below the game's root.
    const fs::path gamedata = bin.parent_path() / L"gamedata";
    const bool made_gamedata = !fs::exists(gamedata);
    std::error_code ignored;
    fs::create_directories(gamedata, ignored);

    HWND window = CreateWindowExW(
        0, L"STATIC", L"post floor timing", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    int status = 1;
    if (window == nullptr) {
        std::fprintf(stderr, "CreateWindowExW failed: %lu\n", GetLastError());
    } else {
        status = measure(window, gamedata / L"config");
        DestroyWindow(window);
    }
    if (made_gamedata) fs::remove_all(gamedata, ignored);
    return status;
}
