#pragma once
// The one owner of the event file's handle and of the lock around it. The watcher thread opens
// and closes the file; whichever thread posts an event cuts and writes it. The lock is private
// to the host's process: the game reads the file on its own, without it.

#include <windows.h>

#include <atomic>
#include <string_view>

#include "frame/handles.h"

namespace plv_duskward {

class shared_event_file {
public:
    // The one object, made on first use from whichever thread comes first; destroyed at unload.
    static shared_event_file& instance();

    // The component uses instance() only; a separate object serves tests of the life cycle.
    shared_event_file();
    // The exit step: empties and closes a file that is still open, then closes the lock. It does
    // not wait: with the lock held by another thread it leaves both to that thread and says so.
    ~shared_event_file();
    shared_event_file(const shared_event_file&) = delete;
    shared_event_file& operator=(const shared_event_file&) = delete;

    // Creates the event file anew in the game's folder found from its window, then puts it in the
    // place of any open file, which is emptied and closed. Only that exchange is done under the
    // lock, so a writer sees either the old file or the new one and never waits for the slow part.
    // Failures are reported on the console and leave no file open.
    void open_for_window(HWND window);
    // Empties and closes the file; nothing happens when none is open.
    void close();
    // Empties the file and leaves it open.
    void truncate();
    // Writes the text, up to its NUL, at the current position in one write call.
    void write(const char* document);
    // The same for a document whose length is known.
    void write(std::string_view document);

    bool is_open();

private:
    // The lock, held for as long as the guard lives. Taking it may fail (no lock, a failed wait,
    // the time up): then the guard is not taken and nothing may touch the handle.
    class guard {
    public:
        explicit guard(HANDLE mutex, DWORD milliseconds = INFINITE);
        ~guard();
        guard(const guard&) = delete;
        guard& operator=(const guard&) = delete;
        bool taken() const { return taken_; }
        bool failed() const { return failed_; } // the wait itself failed, which is worth a line

    private:
        HANDLE mutex_;
        bool taken_;
        bool failed_ = false;
    };

    // Puts `replacement` in the place of the open file under the lock; gives back the file it
    // replaced (or, when the lock cannot be had, nothing, `replacement` being closed).
    wex::unique_file swap_handle(wex::unique_file replacement);
    // Runs `work` with the lock held, or not at all when the lock cannot be had; a failed wait is
    // reported once the guard has gone, never with the lock held.
    template <class Work>
    void under_lock(Work&& work);

    wex::unique_mutex mutex_;
    wex::unique_file handle_;
    std::atomic<bool> missing_lock_reported_{false};
};

} // namespace plv_duskward
