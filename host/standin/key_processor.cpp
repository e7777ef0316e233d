#include "host/standin/key_processor.h"

#include <utility>

namespace standin_host {

bool key_processor::process_key(std::uint32_t context, service_list_base& items, std::uint32_t key_code) {
    std::lock_guard<std::mutex> guard(lock_);
    offers_.push_back(key_offer{context, key_code, items.get_count()});
    if (item_ != nullptr) {
        item_->add_ref();
        items.add_item(item_);
    }
    return handled_.count(context) != 0;
}

void key_processor::handle_contexts(std::set<std::uint32_t> contexts) {
    std::lock_guard<std::mutex> guard(lock_);
    handled_ = std::move(contexts);
}

void key_processor::add_item_to_each_list(service_base* item) {
    std::lock_guard<std::mutex> guard(lock_);
    item_ = item;
}

std::vector<key_offer> key_processor::offers() const {
    std::lock_guard<std::mutex> guard(lock_);
    return offers_;
}

void key_processor::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    offers_.clear();
}

} // namespace standin_host
