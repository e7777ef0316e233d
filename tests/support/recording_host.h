#pragma once
// A stand-in host with one recording console, put in place for the life of the object with the
// console switched on, and taken away again afterwards.

#include <string>
#include <vector>

#include "frame/module_state.h"
#include "frame/service.h"
#include "host/standin/console.h"
#include "host/standin/standin_host.h"

namespace test_support {

class recording_host {
public:
    recording_host() {
        registry_.add(&console_);
        plv_duskward::set_host_services(&registry_);
        plv_duskward::set_services_ready(true);
    }
    ~recording_host() {
        plv_duskward::set_services_ready(false);
        plv_duskward::set_host_services(nullptr);
    }
    recording_host(const recording_host&) = delete;
    recording_host& operator=(const recording_host&) = delete;

    std::vector<std::string> lines() const { return console_.lines(); }
    void clear() { console_.clear(); }
    standin_host::registry& registry() { return registry_; }

private:
    service_impl_single_t<standin_host::console> console_;
    standin_host::registry registry_;
};

} // namespace test_support
