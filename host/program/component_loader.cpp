#include "host/program/component_loader.h"

namespace plavora_host {
namespace {

using get_interface_function = component_client* (*)(host_services*, HINSTANCE);

constexpr std::int32_t expected_interface_version = 73;

std::string folder_of(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

template <class T>
void keep_if(service_factory_base& factory, service_ptr_t<T>& slot) {
    if (*factory.class_id != T::class_id || slot) return;
    service_base* created = nullptr;
    factory.create_service(created);
    slot = service_ptr_t<T>::adopt(static_cast<T*>(created));
}

} // namespace

loaded_component::~loaded_component() { unload(); }

bool loaded_component::load(const std::string& dll_path, host_services& services, std::string& error) {
    module_ = LoadLibraryA(dll_path.c_str());
    if (module_ == nullptr) {
        error = "cannot load " + dll_path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    auto get_interface = reinterpret_cast<get_interface_function>(
        reinterpret_cast<void*>(GetProcAddress(module_, "plavora_get_interface")));
    if (get_interface == nullptr) {
        error = dll_path + " has no export plavora_get_interface";
        unload();
        return false;
    }
    client_ = get_interface(&services, module_);
    if (client_ == nullptr || client_->interface_version() != expected_interface_version) {
        error = dll_path + " is not a component for this host (interface version)";
        unload();
        return false;
    }
    client_->set_module_path(folder_of(dll_path).c_str(), name_of(dll_path).c_str());
    return true;
}

void loaded_component::start_services() {
    for (service_factory_base* factory = client_->get_first_factory(); factory != nullptr; factory = factory->next) {
        keep_if(*factory, initquit_);
        keep_if(*factory, page_);
        keep_if(*factory, version_);
    }
    client_->set_services_ready(true);
}

void loaded_component::unload() {
    if (client_ != nullptr) client_->set_services_ready(false);
    initquit_.reset();
    page_.reset();
    version_.reset();
    client_ = nullptr;
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
}

} // namespace plavora_host
