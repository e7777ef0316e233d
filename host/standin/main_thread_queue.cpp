#include "host/standin/main_thread_queue.h"

namespace standin_host {

main_thread_queue::~main_thread_queue() {
    for (main_thread_callback* callback : queue_) callback->release();
}

void main_thread_queue::post_callback(main_thread_callback* callback) {
    if (callback == nullptr) return;
    std::lock_guard<std::mutex> guard(lock_);
    queue_.push_back(callback);
}

std::size_t main_thread_queue::run_pending() {
    std::size_t ran = 0;
    for (;;) {
        main_thread_callback* callback = nullptr;
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (queue_.empty()) return ran;
            callback = queue_.front();
            queue_.pop_front();
        }
        // Held only while it runs: a run that throws still gives its reference back.
        auto held = service_ptr_t<main_thread_callback>::adopt(callback);
        held->run();
        ++ran;
    }
}

std::size_t main_thread_queue::pending() const {
    std::lock_guard<std::mutex> guard(lock_);
    return queue_.size();
}

} // namespace standin_host
