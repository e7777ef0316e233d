#pragma once
// The stand-in host's service registry: services are added by class id and handed out in the
// order they were added. Thread-safe, since the component looks services up from its watcher
// thread too.

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "frame/host_interfaces.h"

namespace standin_host {

class registry final : public host_services {
public:
    registry();
    ~registry();
    registry(const registry&) = delete;
    registry& operator=(const registry&) = delete;

    // Adds a service under its class id; the registry takes one reference of its own.
    void add(const GUID& class_id, service_base* service);
    template <class T>
    void add(T* service) {
        add(T::class_id, service);
    }
    // Drops every service of the class.
    void remove_all(const GUID& class_id);

    service_class_handle find_class(const GUID& class_id) override;
    std::int32_t count_instances(service_class_handle service_class) override;
    bool create_instance(service_base*& out, service_class_handle service_class, std::int32_t index) override;

private:
    struct entry;
    entry& entry_for(const GUID& class_id); // with lock_ held

    std::mutex lock_;
    std::vector<std::unique_ptr<entry>> entries_;
};

} // namespace standin_host
