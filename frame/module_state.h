#pragma once
// What the component keeps of the host for the life of the module. Written by the host's calls on
// the component; read by every thread of the component without a lock, each value being one
// aligned word or byte.

#include <windows.h>

class host_services;

namespace plv_duskward {

// Null until the host has called the entry point.
host_services* current_host_services();
void set_host_services(host_services* services);
// Counts the calls of set_host_services: what the component registered with a host it registered
// under this number, so that it registers once per host and never twice with the same one.
unsigned host_generation();

// The module of the component, for its dialog resource; null until the entry point is called.
HINSTANCE module_handle();
void set_module_handle(HINSTANCE module);

// The module's file name as the host told it (UTF-8); "" until then. Set before the host uses
// the version record, on the host's thread.
const char* module_file_name();
void set_module_file_name(const char* name);

// Console lines are dropped while this is false (it is false at load).
bool services_ready();
void set_services_ready(bool ready);

} // namespace plv_duskward
