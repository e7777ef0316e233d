#pragma once
// Loads a component DLL the way the player does: the one export, the component client, the
// factory list, the settings, the console switch; and takes it down again in the reverse order.

#include <windows.h>

#include <string>

#include "frame/host_interfaces.h"

namespace plavora_host {

class loaded_component {
public:
    loaded_component() = default;
    loaded_component(const loaded_component&) = delete;
    loaded_component& operator=(const loaded_component&) = delete;
    ~loaded_component();

    // False, with the reason in `error`, when the DLL or its export cannot be had.
    bool load(const std::string& dll_path, host_services& services, std::string& error);
    // Creates the services of the factory list and switches the component's console on.
    void start_services();
    // Switches the console off, drops the services and unloads the DLL.
    void unload();

    component_client& client() { return *client_; }
    initquit* handler() { return initquit_.get(); }
    preferences_page* page() { return page_.get(); }
    componentversion* version() { return version_.get(); }

private:
    HMODULE module_ = nullptr;
    component_client* client_ = nullptr;
    service_ptr_t<initquit> initquit_;
    service_ptr_t<preferences_page> page_;
    service_ptr_t<componentversion> version_;
};

} // namespace plavora_host
