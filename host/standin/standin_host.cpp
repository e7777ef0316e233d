#include "host/standin/standin_host.h"

#include <utility>

struct service_class {};

namespace standin_host {

struct registry::entry : service_class {
    GUID class_id{};
    std::vector<service_ptr_t<service_base>> services;
};

registry::registry() = default;
registry::~registry() = default;

registry::entry& registry::entry_for(const GUID& class_id) {
    for (auto& existing : entries_)
        if (existing->class_id == class_id) return *existing;
    entries_.push_back(std::make_unique<entry>());
    entries_.back()->class_id = class_id;
    return *entries_.back();
}

void registry::add(const GUID& class_id, service_base* service) {
    std::lock_guard<std::mutex> guard(lock_);
    entry_for(class_id).services.push_back(service_ptr_t<service_base>::share(service));
}

void registry::remove_all(const GUID& class_id) {
    std::vector<service_ptr_t<service_base>> dropped; // released outside the lock
    std::lock_guard<std::mutex> guard(lock_);
    dropped = std::exchange(entry_for(class_id).services, {});
}

service_class_handle registry::find_class(const GUID& class_id) {
    std::lock_guard<std::mutex> guard(lock_);
    return &entry_for(class_id);
}

std::int32_t registry::count_instances(service_class_handle service_class) {
    std::lock_guard<std::mutex> guard(lock_);
    if (service_class == nullptr) return 0;
    return static_cast<std::int32_t>(static_cast<entry*>(service_class)->services.size());
}

bool registry::create_instance(service_base*& out, service_class_handle service_class, std::int32_t index) {
    std::lock_guard<std::mutex> guard(lock_);
    if (service_class == nullptr || index < 0) return false;
    auto& services = static_cast<entry*>(service_class)->services;
    if (static_cast<std::size_t>(index) >= services.size()) return false;
    out = services[static_cast<std::size_t>(index)].get();
    out->add_ref();
    return true;
}

} // namespace standin_host
