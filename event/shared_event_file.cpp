#include "event/shared_event_file.h"

#include "event/event_file_location.h"
#include "frame/console.h"
#include "frame/host_shared.h"

namespace plv_duskward {

shared_event_file& shared_event_file::instance() {
    static shared_event_file file;
    return file;
}

shared_event_file::shared_event_file() : mutex_(uCreateMutex(nullptr, FALSE, nullptr)) {}

namespace {

// Failures of the cut are not reported: the next rewrite starts over from the start anyway.
void cut_to_empty(HANDLE file) {
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
}

// Empties and closes a file no writer can reach any more.
void empty_and_close(wex::unique_file file) {
    if (file) cut_to_empty(file.get());
}

} // namespace

shared_event_file::~shared_event_file() {
    // Unloading runs here, where no wait is allowed. After the watcher has ended nobody holds the
    // lock; a holder that died with the process leaves it abandoned, which counts as taken. A lock
    // still held means a thread that did not stop: the file and the lock are then left to it.
    if (!mutex_) return; // without a lock no file was ever opened
    guard lock(mutex_.get(), 0);
    if (!lock.taken()) {
        report_error("plv_duskward left the event file open: its lock is held");
        handle_.release();
        mutex_.release();
        return;
    }
    empty_and_close(std::move(handle_));
}

shared_event_file::guard::guard(HANDLE mutex, DWORD milliseconds) : mutex_(mutex), taken_(false) {
    if (mutex_ == nullptr) return;
    const DWORD result = WaitForSingleObject(mutex_, milliseconds);
    // An owner thread that ended while holding the lock abandons it: the file may then be half
    // written, which the next rewrite mends, so the lock is ours all the same.
    taken_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    failed_ = result == WAIT_FAILED;
}

shared_event_file::guard::~guard() {
    if (taken_) ReleaseMutex(mutex_);
}

template <class Work>
void shared_event_file::under_lock(Work&& work) {
    bool wait_failed = false;
    {
        guard lock(mutex_.get());
        if (lock.taken()) work();
        wait_failed = lock.failed();
    }
    if (wait_failed) report_error("WaitForSingleObject failed");
}

void shared_event_file::open_for_window(HWND window) {
    if (!mutex_) {
        // Without a lock a write could land in a file being replaced; no file is safer.
        if (!missing_lock_reported_.exchange(true)) report_error("uCreateMutex failed");
        return;
    }
    // Finding the game and creating the file may take long (a game on a stalled network share):
    // done before the lock, so that the posts of the host's main thread never wait for it.
    wex::unique_file created = create_event_file(window);
    wex::unique_file old = swap_handle(std::move(created));
    empty_and_close(std::move(old));
}

void shared_event_file::close() { empty_and_close(swap_handle({})); }

wex::unique_file shared_event_file::swap_handle(wex::unique_file replacement) {
    bool swapped = false;
    under_lock([&] {
        std::swap(handle_, replacement);
        swapped = true;
    });
    if (!swapped) return {}; // the replacement is closed: without the lock it must not be used
    return replacement;
}

void shared_event_file::truncate() {
    under_lock([&] {
        if (handle_) cut_to_empty(handle_.get());
    });
}

void shared_event_file::write(const char* document) { write(std::string_view(document)); }

void shared_event_file::write(std::string_view document) {
    bool write_failed = false;
    under_lock([&] {
        if (!handle_) return;
        DWORD written = 0;
        const auto length = static_cast<DWORD>(document.size());
        write_failed = !WriteFile(handle_.get(), document.data(), length, &written, nullptr);
    });
    if (write_failed) report_error("plv_duskward failed to write to file");
}

bool shared_event_file::is_open() {
    guard lock(mutex_.get());
    return lock.taken() && handle_.valid();
}

} // namespace plv_duskward
