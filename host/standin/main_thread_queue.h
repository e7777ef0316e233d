#pragma once
// The stand-in host's main_thread_poster: callbacks posted from any thread wait in a queue until
// the thread that plays the host's main thread runs them. Each one's reference is released right
// after its run, as the player does.

#include <cstddef>
#include <deque>
#include <mutex>

#include "frame/host_interfaces.h"

namespace standin_host {

class main_thread_queue : public main_thread_poster {
public:
    main_thread_queue() = default;
    main_thread_queue(const main_thread_queue&) = delete;
    main_thread_queue& operator=(const main_thread_queue&) = delete;

    void post_callback(main_thread_callback* callback) override;

    // Runs every callback posted so far, oldest first, and those that they post in turn; returns
    // how many ran.
    std::size_t run_pending();
    std::size_t pending() const;

protected:
    // Releases whatever was never run, so that no callback outlives the host.
    ~main_thread_queue();

private:
    mutable std::mutex lock_;
    std::deque<main_thread_callback*> queue_; // each holds the reference that came with it
};

} // namespace standin_host
