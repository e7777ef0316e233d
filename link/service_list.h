#pragma once
// The item list handed to the host's key processors: empty when given, and whatever the host put
// into it is released with the list.

#include <cstddef>
#include <vector>

#include "frame/host_interfaces.h"

namespace plv_duskward {

class service_list final : public service_list_base {
public:
    service_list() = default;
    service_list(const service_list&) = delete;
    service_list& operator=(const service_list&) = delete;

    std::size_t get_count() const override { return items_.size(); }
    // Null past the end.
    service_base* get_item(std::size_t index) const override;
    void add_item(service_base* item) override;

private:
    std::vector<service_ptr_t<service_base>> items_;
};

} // namespace plv_duskward
