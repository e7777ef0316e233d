#pragma once
// A desktop with both editions of the game installed and running, another program's window in
// front, and the component started on the stand-in host: the stage on which the watcher tests run
// pass by pass on the virtual clock. Built on the stand-in's controls: native tests only.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "event/event_queue.h"
#include "host/standin/key_processor.h"
#include "link/initquit.h"
#include "player/play_callback.h"
#include "player/settings.h"
#include "testing/standin/clock.h"
#include "testing/standin/desktop.h"
#include "testing/standin/files.h"
#include "testing/standin/keyboard.h"
#include "tests/support/standin_host_fixture.h"

namespace link_tests {

// A document as the game would sum it up: the folder of the game whose file it went to, the
// newest event's type ("reset" when every slot is empty) and the polling delay it tells, e.g.
// "grey:init@2000".
std::string describe_write(const standin::file_operation& write);

class watcher_scene {
public:
    watcher_scene();
    ~watcher_scene();
    watcher_scene(const watcher_scene&) = delete;
    watcher_scene& operator=(const watcher_scene&) = delete;

    // on_start, then wait until the first pass is done.
    void start();
    // on_stop; it returns once the watcher thread has ended.
    void stop();
    // Lets the watcher sleep out its interval and run its next pass.
    void next_pass();

    // What happened since the last call.
    std::vector<std::string> new_lines();
    std::vector<std::string> new_writes();
    int new_find_window_calls();
    int new_key_reads();

    // Bytes in the game's event file on the host; -1 when there is none.
    std::intmax_t file_size(const char* game) const;

    standin::scoped_drive drive;
    HWND grey = nullptr;
    HWND iron = nullptr;
    HWND other = nullptr;
    service_impl_single_t<standin_host::key_processor> keys;
    test_support::standin_host_fixture host;
    service_impl_single_t<plv_duskward::initquit> handler;

private:
    void free_listeners();

    bool started_ = false;
    std::size_t lines_seen_ = 0;
    std::size_t operations_seen_ = 0;
    int find_window_seen_ = 0;
    int key_reads_seen_ = 0;
};

namespace detail {

inline HWND install_game(const std::filesystem::path& root, const char* folder, const std::wstring& title) {
    std::filesystem::create_directories(root / folder / "bin");
    std::filesystem::create_directories(root / folder / "gamedata");
    std::wstring executable = L"X:\\" + std::filesystem::path(folder).wstring() + L"\\bin\\game.exe";
    return standin::add_window(title, standin::add_process(executable));
}

inline int value_after(const std::string& document, const std::string& key, std::size_t from = 0) {
    std::size_t at = document.find(key, from);
    if (at == std::string::npos) return -2;
    return std::atoi(document.c_str() + at + key.size());
}

inline std::string type_in_slot(const std::string& document, int slot) {
    std::size_t section = document.find("[event@" + std::to_string(slot) + "]");
    if (value_after(document, "id = ", section) == -1) return "reset";
    std::size_t type = document.find("type = ", section) + 7;
    return document.substr(type, document.find('\r', type) - type);
}

inline std::string game_of(const std::wstring& path) {
    std::size_t start = path.find(L'\\') + 1;
    std::wstring folder = path.substr(start, path.find(L'\\', start) - start);
    return std::string(folder.begin(), folder.end());
}

} // namespace detail

inline std::string describe_write(const standin::file_operation& write) {
    int last_slot = detail::value_after(write.bytes, "last_slot = ");
    return detail::game_of(write.path) + ":" + detail::type_in_slot(write.bytes, last_slot) + "@" +
        std::to_string(detail::value_after(write.bytes, "polling_delay = "));
}

inline watcher_scene::watcher_scene() {
    standin::reset_desktop();
    standin::reset_keyboard();
    standin::reset_clock();
    grey = detail::install_game(drive.root(), "grey", L"Duskward: Grey Orchard");
    iron = detail::install_game(drive.root(), "iron", L"Duskward: Iron Dawn");
    other = standin::add_window(L"Notes", standin::add_process(L"X:\\notes\\notes.exe"));
    standin::set_foreground(other);
    host.registry.add(&keys);
    // Told apart from the queue's first delay of 2000 in every document.
    plv_duskward::event_queue::instance().polling_delay = 2000;
    plv_duskward::cfg_idle_delay = 2100;
    plv_duskward::cfg_control_delay = 1100;
    standin::start_file_record();
}

inline watcher_scene::~watcher_scene() {
    if (started_) stop();
    standin::stop_file_record();
    free_listeners();
    plv_duskward::reset_settings_to_defaults();
    standin::reset_desktop();
    standin::reset_keyboard();
}

inline void watcher_scene::start() {
    started_ = true;
    handler.on_start();
    standin::wait_until_threads_blocked();
}

inline void watcher_scene::stop() {
    started_ = false;
    handler.on_stop();
}

inline void watcher_scene::next_pass() { standin::advance_to_next_wakeup(); }

inline std::vector<std::string> watcher_scene::new_lines() {
    std::vector<std::string> lines = host.lines();
    std::vector<std::string> fresh(lines.begin() + static_cast<std::ptrdiff_t>(lines_seen_), lines.end());
    lines_seen_ = lines.size();
    return fresh;
}

inline std::vector<std::string> watcher_scene::new_writes() {
    std::vector<standin::file_operation> record = standin::file_record();
    std::vector<std::string> writes;
    for (std::size_t i = operations_seen_; i < record.size(); ++i)
        if (record[i].kind == standin::file_operation_kind::write) writes.push_back(describe_write(record[i]));
    operations_seen_ = record.size();
    return writes;
}

inline int watcher_scene::new_find_window_calls() {
    int calls = standin::desktop_call_counts().find_window;
    return calls - std::exchange(find_window_seen_, calls);
}

inline int watcher_scene::new_key_reads() {
    int reads = standin::keyboard_call_counts().async_key_state;
    return reads - std::exchange(key_reads_seen_, reads);
}

inline std::intmax_t watcher_scene::file_size(const char* game) const {
    std::error_code error;
    auto size = std::filesystem::file_size(drive.root() / game / "gamedata" / "config" / "plvr.ltx", error);
    return error ? -1 : static_cast<std::intmax_t>(size);
}

// The host never frees a listener; the test that made the host does.
inline void watcher_scene::free_listeners() {
    for (const auto& registration : host.listeners.registrations())
        delete static_cast<service_impl_t<plv_duskward::play_callback>*>(
            static_cast<plv_duskward::play_callback*>(registration.listener));
}

} // namespace link_tests
