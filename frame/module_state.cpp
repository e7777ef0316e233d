#include "frame/module_state.h"

#include <atomic>

#include "frame/string8.h"

namespace plv_duskward {
namespace {

std::atomic<host_services*> host_services_pointer{nullptr};
std::atomic<unsigned> generation{0};
std::atomic<HINSTANCE> module{nullptr};
std::atomic<bool> ready{false};
wex::string8 file_name;

} // namespace

host_services* current_host_services() { return host_services_pointer.load(); }

void set_host_services(host_services* services) {
    host_services_pointer.store(services);
    ++generation;
}

unsigned host_generation() { return generation.load(); }

HINSTANCE module_handle() { return module.load(); }

void set_module_handle(HINSTANCE handle) { module.store(handle); }

const char* module_file_name() { return file_name.get_text(); }

void set_module_file_name(const char* name) { file_name.assign(name); }

bool services_ready() { return ready.load(); }

void set_services_ready(bool is_ready) { ready.store(is_ready); }

} // namespace plv_duskward
