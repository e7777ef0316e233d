#pragma once
// The one store of what the game is to be told: the last eight events in a ring of slots. Every
// post and every reset rewrites the whole event file from the ring, so the file always mirrors it.
//
// Posts and resets come from two threads (the game watcher and the host's main thread); one lock
// held across the change of the slots and the rewrite keeps them apart.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "frame/string8.h"

namespace plv_duskward {

class event_document;

inline constexpr std::size_t event_slot_count = 8;

struct event {
    std::int32_t id = -1; // -1: the slot holds no event
    wex::string8 text;
    wex::string8 type;
};

class event_queue {
public:
    // The one queue, made on first use from whichever thread comes first.
    static event_queue& instance();

    // Copies the text and the type into the next slot and rewrites the event file.
    void post(const char* text, const char* type);
    // Empties every slot, starts the ids again at 0 and rewrites the event file.
    void reset();

    // Assigned by the game watcher only; reaches the file with the next post or reset.
    std::atomic<std::int32_t> polling_delay{2000};

    event_queue();
    ~event_queue();
    event_queue(const event_queue&) = delete;
    event_queue& operator=(const event_queue&) = delete;

private:
    void write_file(); // with lock_ held

    friend struct event_queue_access;

    std::mutex lock_;
    std::array<event, event_slot_count> slots_;
    std::uint32_t next_id_ = 0;
    std::uint32_t last_slot_ = 0;
    // Rendered into anew at every rewrite; kept so that a rewrite reuses its buffer.
    std::unique_ptr<event_document> document_;
};

// A read-only look at the ring for tests: a copy taken under the queue's lock.
struct event_queue_access {
    struct snapshot {
        std::array<event, event_slot_count> slots;
        std::uint32_t next_id;
        std::uint32_t last_slot;
    };
    static snapshot read(event_queue& queue) {
        std::lock_guard<std::mutex> guard(queue.lock_);
        return {queue.slots_, queue.next_id_, queue.last_slot_};
    }
};

// Posts to the one queue; the playback producer's way in.
void post_event(const char* text, const char* type);

} // namespace plv_duskward
