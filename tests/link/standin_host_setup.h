#pragma once
// The stand-in host installed for the component for the life of a test: a console that keeps its
// lines, the main thread's queue, the listener registry, and a clean keyboard.

#include <string>
#include <vector>

#include "frame/module_state.h"
#include "host/standin/console.h"
#include "host/standin/listener_registry.h"
#include "host/standin/main_thread_queue.h"
#include "host/standin/standin_host.h"

namespace link_tests {

class standin_host_setup {
public:
    standin_host_setup() {
        registry.add(&console);
        registry.add(&main_thread);
        registry.add(&listeners);
        plv_duskward::set_host_services(&registry);
        plv_duskward::set_services_ready(true);
    }
    ~standin_host_setup() {
        plv_duskward::set_services_ready(false);
        plv_duskward::set_host_services(nullptr);
        main_thread.run_pending(); // nothing posted may outlive the test
    }
    standin_host_setup(const standin_host_setup&) = delete;
    standin_host_setup& operator=(const standin_host_setup&) = delete;

    std::vector<std::string> lines() const { return console.lines(); }

    service_impl_single_t<standin_host::console> console;
    service_impl_single_t<standin_host::main_thread_queue> main_thread;
    service_impl_single_t<standin_host::listener_registry> listeners;
    standin_host::registry registry; // last: it lets go of the services before they go
};

} // namespace link_tests
