#pragma once
// The stand-in host installed for the component for the life of a test: a console that keeps its
// lines, the main thread's queue and the listener registry, with the console switched on. Tests
// add or remove services through `registry` to show what the component does without them.

#include <string>
#include <vector>

#include "frame/module_state.h"
#include "frame/service.h"
#include "host/standin/console.h"
#include "host/standin/listener_registry.h"
#include "host/standin/main_thread_queue.h"
#include "host/standin/standin_host.h"

namespace test_support {

class standin_host_fixture {
public:
    standin_host_fixture() {
        registry.add(&console);
        registry.add(&main_thread);
        registry.add(&listeners);
        plv_duskward::set_host_services(&registry);
        plv_duskward::set_services_ready(true);
    }
    ~standin_host_fixture() {
        plv_duskward::set_services_ready(false);
        plv_duskward::set_host_services(nullptr);
        main_thread.run_pending(); // nothing posted may outlive the test
    }
    standin_host_fixture(const standin_host_fixture&) = delete;
    standin_host_fixture& operator=(const standin_host_fixture&) = delete;

    std::vector<std::string> lines() const { return console.lines(); }
    void clear() { console.clear(); }

    service_impl_single_t<standin_host::console> console;
    service_impl_single_t<standin_host::main_thread_queue> main_thread;
    service_impl_single_t<standin_host::listener_registry> listeners;
    standin_host::registry registry; // last: it lets go of the services before they go
};

} // namespace test_support
