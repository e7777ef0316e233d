// Mutexes as Windows has them: owned by a thread, re-entrant for it, and abandoned when the
// owner thread ends while holding one, so that the next waiter learns of it.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "testing/standin/failures.h"
#include "testing/standin/handle_table.h"

namespace standin {
namespace {

class mutex_object;

// The mutexes that the current thread owns; those left at its end are abandoned.
struct owned_mutexes {
    struct entry {
        const mutex_object* mutex; // to find it again without touching the counts
        std::weak_ptr<mutex_object> alive;
    };
    std::vector<entry> held;
    ~owned_mutexes();
};
thread_local owned_mutexes owned;
// Set once `owned` is gone: the main thread's thread-locals end before the static objects, whose
// destructors may still take a mutex. Those late holds are not tracked any more.
thread_local bool owned_gone = false;

class mutex_object final : public handle_object, public std::enable_shared_from_this<mutex_object> {
public:
    DWORD wait(DWORD milliseconds) override {
        std::unique_lock<std::mutex> guard(lock_);
        const auto self = std::this_thread::get_id();
        if (count_ != 0 && owner_ == self) {
            ++count_;
            return WAIT_OBJECT_0;
        }
        auto free = [this] { return count_ == 0; };
        // Only waits without a time-out, or a bare test, are used; a finite wait is real time.
        if (milliseconds == INFINITE) freed_.wait(guard, free);
        else if (!freed_.wait_for(guard, std::chrono::milliseconds(milliseconds), free)) return WAIT_TIMEOUT;
        owner_ = self;
        count_ = 1;
        if (!owned_gone) owned.held.push_back({this, weak_from_this()});
        return std::exchange(abandoned_, false) ? WAIT_ABANDONED : WAIT_OBJECT_0;
    }

    bool release() {
        std::lock_guard<std::mutex> guard(lock_);
        if (count_ == 0 || owner_ != std::this_thread::get_id()) return false;
        if (--count_ == 0) free_locked();
        return true;
    }

    void abandon() {
        std::lock_guard<std::mutex> guard(lock_);
        if (count_ == 0 || owner_ != std::this_thread::get_id()) return;
        count_ = 0;
        abandoned_ = true;
        freed_.notify_one();
    }

private:
    void free_locked() {
        freed_.notify_one();
        if (owned_gone) return;
        auto& held = owned.held;
        auto mine = std::find_if(
            held.begin(), held.end(), [this](const owned_mutexes::entry& holding) { return holding.mutex == this; });
        if (mine != held.end()) held.erase(mine);
    }

    std::mutex lock_;
    std::condition_variable freed_;
    std::thread::id owner_;
    unsigned count_ = 0;
    bool abandoned_ = false;
};

owned_mutexes::~owned_mutexes() {
    owned_gone = true;
    for (auto& holding : held)
        if (auto mutex = holding.alive.lock()) mutex->abandon();
}

} // namespace
} // namespace standin

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL initial_owner, LPCWSTR) {
    if (DWORD error = standin::failure_for(standin::failing_call::create_mutex)) {
        SetLastError(error);
        return nullptr;
    }
    auto mutex = std::make_shared<standin::mutex_object>();
    if (initial_owner) mutex->wait(INFINITE);
    return standin::register_handle(std::move(mutex));
}

BOOL ReleaseMutex(HANDLE handle) {
    auto mutex = standin::lookup_handle_as<standin::mutex_object>(handle);
    if (!mutex) return FALSE;
    if (!mutex->release()) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}
