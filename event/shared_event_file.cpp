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

shared_event_file::~shared_event_file() {
    // After the watcher has ended nobody else holds the lock; a holder that died with it leaves it
    // abandoned, which still counts as taken.
    close();
}

shared_event_file::guard::guard(HANDLE mutex) : mutex_(mutex), taken_(false) {
    if (mutex_ == nullptr) return;
    const DWORD result = WaitForSingleObject(mutex_, INFINITE);
    // An owner thread that ended while holding the lock abandons it: the file may then be half
    // written, which the next rewrite mends, so the lock is ours all the same.
    taken_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    if (!taken_) report_error("WaitForSingleObject failed");
}

shared_event_file::guard::~guard() {
    if (taken_) ReleaseMutex(mutex_);
}

void shared_event_file::open_for_window(HWND window) {
    if (!mutex_) {
        // Without a lock a write could land in a file being replaced; no file is safer.
        if (!missing_lock_reported_.exchange(true)) report_error("uCreateMutex failed");
        return;
    }
    guard lock(mutex_.get());
    if (!lock.taken()) return;
    close(); // takes the lock once more on this thread
    handle_ = create_event_file(window);
}

void shared_event_file::close() {
    guard lock(mutex_.get());
    if (!lock.taken() || !handle_) return;
    cut_file();
    handle_.reset();
}

void shared_event_file::truncate() {
    guard lock(mutex_.get());
    if (!lock.taken() || !handle_) return;
    cut_file();
}

void shared_event_file::write(const char* document) { write(std::string_view(document)); }

void shared_event_file::write(std::string_view document) {
    guard lock(mutex_.get());
    if (!lock.taken() || !handle_) return;
    DWORD written = 0;
    const auto length = static_cast<DWORD>(document.size());
    if (!WriteFile(handle_.get(), document.data(), length, &written, nullptr))
        report_error("plv_duskward failed to write to file");
}

bool shared_event_file::is_open() {
    guard lock(mutex_.get());
    return lock.taken() && handle_.valid();
}

void shared_event_file::cut_file() {
    // Failures here are not reported: the next rewrite starts over from the start anyway.
    SetFilePointer(handle_.get(), 0, nullptr, FILE_BEGIN);
    SetEndOfFile(handle_.get());
}

} // namespace plv_duskward
