#include <windows.h>

#include "frame/entry.h"
#include "frame/factories.h"
#include "frame/module_state.h"
#include "frame/settings_stream.h"

// The object through which the host talks to the component, and the one export that hands it out.

namespace plv_duskward {
namespace {

constexpr std::int32_t interface_version_number = 73;

class client final : public component_client {
public:
    std::int32_t interface_version() override { return interface_version_number; }
    service_factory_base* get_first_factory() override { return first_factory(); }
    void write_settings(output_stream& out, abort_flag& abort) override { plv_duskward::write_settings(out, abort); }
    void read_settings(input_stream& in, abort_flag& abort) override { plv_duskward::read_settings(in, abort); }
    void set_module_path(const char*, const char* file_name) override { set_module_file_name(file_name); }
    void set_services_ready(bool ready) override { plv_duskward::set_services_ready(ready); }
    bool client_flag() override { return false; }
};

client the_client;

} // namespace

component_client& the_component_client() { return the_client; }

} // namespace plv_duskward

extern "C" PLAVORA_COMPONENT_EXPORT component_client* plavora_get_interface(host_services* services, HINSTANCE module) {
    plv_duskward::set_host_services(services);
    plv_duskward::set_module_handle(module);
    return &plv_duskward::the_component_client();
}
