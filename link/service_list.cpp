#include "link/service_list.h"

namespace plv_duskward {

service_base* service_list::get_item(std::size_t index) const {
    return index < items_.size() ? items_[index].get() : nullptr;
}

void service_list::add_item(service_base* item) {
    auto held = service_ptr_t<service_base>::adopt(item); // released even if the list cannot grow
    if (held) items_.push_back(std::move(held));
}

} // namespace plv_duskward
