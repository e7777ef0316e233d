#pragma once
// Finding the host's services: the one service of a class, or each of them in turn. Every
// reference obtained here is held by a service_ptr_t, so it is dropped on every way out.

#include <cstdint>

#include "frame/errors.h"
#include "frame/host_interfaces.h"
#include "frame/module_state.h"

namespace plv_duskward {

namespace detail {
// The host's registry; with no host yet, there is no service of any class.
host_services* registry_or_null();
} // namespace detail

// The only service of the class T; throws exception_service_not_found when the host has none,
// exception_service_duplicated when it has more than one.
template <class T>
service_ptr_t<T> get_single_service() {
    host_services* registry = detail::registry_or_null();
    if (registry == nullptr) throw exception_service_not_found();
    service_class_handle service_class = registry->find_class(T::class_id);
    std::int32_t count = registry->count_instances(service_class);
    if (count < 1) throw exception_service_not_found();
    if (count > 1) throw exception_service_duplicated();
    service_base* instance = nullptr;
    if (!registry->create_instance(instance, service_class, 0)) throw exception_service_not_found();
    // The host keeps only services of the class under the class's id.
    return service_ptr_t<T>::adopt(static_cast<T*>(instance));
}

// Walks every service of the class T, index 0, 1, 2, ... until the host has no more.
template <class T>
class service_enumerator {
public:
    service_enumerator() : registry_(detail::registry_or_null()) {
        if (registry_ != nullptr) class_ = registry_->find_class(T::class_id);
    }

    // The next service, or false when there is none left.
    bool next(service_ptr_t<T>& out) {
        out.reset();
        if (registry_ == nullptr) return false;
        service_base* instance = nullptr;
        if (!registry_->create_instance(instance, class_, index_)) return false;
        ++index_;
        out = service_ptr_t<T>::adopt(static_cast<T*>(instance));
        return true;
    }

private:
    host_services* registry_;
    service_class_handle class_ = nullptr;
    std::int32_t index_ = 0;
};

} // namespace plv_duskward
