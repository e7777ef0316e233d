#pragma once
// The factories through which the host creates the component's services. Each factory is a static
// object that links itself at the head of one module-wide list while the module loads, so the
// list runs from the last factory built to the first; nothing is ever taken out.

#include <type_traits>

#include "frame/host_interfaces.h"
#include "frame/service.h"

namespace plv_duskward {

// The head of the factory list; null before the first factory is built.
service_factory_base* first_factory();

namespace detail {
void link_factory(service_factory_base& factory);

// The host interface that a service class implements, found by overload resolution.
initquit* interface_probe(initquit*);
preferences_page* interface_probe(preferences_page*);
componentversion* interface_probe(componentversion*);
} // namespace detail

template <class T>
using interface_of_t = std::remove_pointer_t<decltype(detail::interface_probe(static_cast<T*>(nullptr)))>;

} // namespace plv_duskward

template <class I>
class service_factory_base_t : public service_factory_base {
protected:
    service_factory_base_t() {
        class_id = &I::class_id;
        plv_duskward::detail::link_factory(*this);
    }
    ~service_factory_base_t() = default;
};

template <class T>
class service_factory_single_t : public service_factory_base_t<plv_duskward::interface_of_t<T>> {
public:
    void create_service(service_base*& out) override { wex::hand_out(instance_, out); }

    T& instance() { return instance_; }

private:
    service_impl_single_t<T> instance_;
};

template <class T>
class initquit_factory_t final : public service_factory_single_t<T> {};

template <class T>
class preferences_page_factory_t final : public service_factory_single_t<T> {};

// The factory is itself the service.
template <class T>
class service_factory_single_transparent_t : public service_factory_base_t<plv_duskward::interface_of_t<T>>,
                                             public service_impl_single_t<T> {
public:
    template <class... Args>
    explicit service_factory_single_transparent_t(Args&&... args)
        : service_impl_single_t<T>(std::forward<Args>(args)...) {}

    void create_service(service_base*& out) override {
        wex::hand_out(static_cast<service_impl_single_t<T>&>(*this), out);
    }
};
