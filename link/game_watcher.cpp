#include "link/game_watcher.h"

#include <windows.h>

#include <exception>

#include "event/event_queue.h"
#include "event/shared_event_file.h"
#include "frame/console.h"
#include "link/key_poll.h"
#include "link/watcher_decisions.h"
#include "link/watcher_signals.h"
#include "player/settings.h"

namespace plv_duskward {
namespace {

// Tried in this order; the game's two editions.
constexpr const wchar_t* game_titles[] = {L"Duskward: Grey Orchard", L"Duskward: Iron Dawn"};

// What the thread keeps from pass to pass, and the passes themselves. Every Win32 call is made
// here; what to do about what they return is decided in watcher_decisions.
class game_watcher {
public:
    game_watcher(watcher_signals& signals, shared_event_file& file, event_queue& queue)
        : signals_(signals), file_(file), queue_(queue) {}

    void watch_until_stopped() {
        if (!signals_.stop_requested()) {
            do {
                run_pass_reporting();
            } while (!signals_.sleep_unless_stopped(sleep_ms_));
        }
        file_.close();
    }

private:
    // Whatever a pass throws (no poster for the keys, no memory) is the pass's failure, not the
    // thread's: the state it leaves is consistent, and the next pass tries again.
    void run_pass_reporting() {
        keys_polled_ = false;
        try {
            run_pass();
        } catch (const std::exception& failure) {
            report_error(failure.what());
        }
        if (!keys_polled_) poll_failure_reported_ = false; // a control-mode period has ended
    }

    void run_pass() {
        sleep_ms_ = away_interval_ms;
        HWND foreground = GetForegroundWindow();
        bool candidate_in_front = candidate_ != nullptr && candidate_ == foreground;
        link_plan plan = plan_link(connected_, candidate_in_front);
        if (plan.close_file) {
            file_.close();
            connected_ = false;
        }
        bool in_front = plan.search ? search(foreground) : candidate_in_front;
        if (!in_front) return;
        // Marked connected only once connected, so that a connection that failed half-way is
        // made again by the next pass.
        if (plan.connect || plan.search) connect();
        connected_ = true;
        follow_control();
    }

    // Leaves the window of the last title tried as the candidate, in front or not.
    bool search(HWND foreground) {
        for (const wchar_t* title : game_titles) {
            candidate_ = FindWindowW(nullptr, title);
            if (candidate_ != nullptr && candidate_ == foreground) {
                print_formatted("found '%ls'", title);
                return true;
            }
        }
        return false;
    }

    void connect() {
        file_.open_for_window(candidate_); // a failure is reported there; the game is in front all the same
        queue_.reset();
        queue_.post("connection is enabled", "init");
    }

    // The idle delay is assigned before any notice is posted and the control delay after, so
    // the rewrites that carry "control_on" and "control_off" both tell the idle delay.
    void follow_control() {
        queue_.polling_delay = cfg_idle_delay.get();
        sleep_ms_ = connected_interval_ms;
        bool scroll_lock_on = (GetKeyState(VK_SCROLL) & 1) != 0;
        control_step step = plan_control(control_, scroll_lock_on);
        if (step.notice == control_notice::control_off) queue_.post("control is OFF", "control_off");
        if (step.notice == control_notice::control_on) queue_.post("control is ON", "control_on");
        control_ = step.after;
        if (!control_.control) return;
        queue_.polling_delay = cfg_control_delay.get();
        sleep_ms_ = control_interval_ms;
        poll_keys_reporting();
    }

    // A poll that fails (no poster) fails again 125 ms later: one line per control-mode period,
    // and another only after a poll has succeeded, instead of eight lines a second.
    void poll_keys_reporting() {
        keys_polled_ = true;
        try {
            poll_keys(keys_);
            poll_failure_reported_ = false;
        } catch (const std::exception& failure) {
            if (!poll_failure_reported_) report_error(failure.what());
            poll_failure_reported_ = true;
        }
    }

    watcher_signals& signals_;
    shared_event_file& file_;
    event_queue& queue_;
    HWND candidate_ = nullptr; // what the last FindWindowW returned
    bool connected_ = false;   // the game was in front at the end of the last pass
    control_flags control_;
    key_state_table keys_{};
    DWORD sleep_ms_ = away_interval_ms;
    bool keys_polled_ = false;           // in this pass
    bool poll_failure_reported_ = false; // in this control-mode period, with no poll succeeding since
};

} // namespace

void watch_game(watcher_signals& signals) {
    try {
        shared_event_file& file = shared_event_file::instance(); // its first use makes the file's lock
        event_queue& queue = event_queue::instance();
        game_watcher(signals, file, queue).watch_until_stopped();
    } catch (const std::exception& failure) { // the queue or the file could not be made
        report_error(failure.what());
    }
}

} // namespace plv_duskward
