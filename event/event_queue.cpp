#include "event/event_queue.h"

#include <new>

#include "event/event_document.h"
#include "event/shared_event_file.h"
#include "player/settings.h"

namespace plv_duskward {

event_queue& event_queue::instance() {
    static event_queue queue;
    return queue;
}

event_queue::event_queue() : document_(std::make_unique<event_document>()) {}

event_queue::~event_queue() = default;

void event_queue::post(const char* text, const char* type) {
    std::lock_guard<std::mutex> guard(lock_);
    const std::uint32_t slot_index = next_id_ % event_slot_count;
    event& slot = slots_[slot_index];
    try {
        slot.text.assign(text);
        slot.type.assign(type);
    } catch (const std::bad_alloc&) {
        // A slot holding the new text with the old type would tell the game a wrong event; an
        // empty slot tells it nothing. The failure goes on to the caller.
        slot = event{};
        throw;
    }
    slot.id = static_cast<std::int32_t>(next_id_);
    last_slot_ = slot_index;
    ++next_id_;
    write_file();
}

void event_queue::reset() {
    std::lock_guard<std::mutex> guard(lock_);
    last_slot_ = 0;
    next_id_ = 0;
    for (event& slot : slots_) slot = event{};
    write_file();
}

void event_queue::write_file() {
    document_->render(slots_, last_slot_, polling_delay.load(), cfg_suspend_input.get());
    shared_event_file& file = shared_event_file::instance();
    file.truncate();
    file.write(document_->view());
}

void post_event(const char* text, const char* type) { event_queue::instance().post(text, type); }

} // namespace plv_duskward
