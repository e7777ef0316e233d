#pragma once
// The component's one export, through which the host gets the component client.

#include <windows.h>

#include "frame/host_interfaces.h"

#if defined(_WIN32)
#define PLAVORA_COMPONENT_EXPORT __declspec(dllexport)
#else
#define PLAVORA_COMPONENT_EXPORT
#endif

// Keeps the host's services and the module handle (a later call overwrites both) and returns the
// component client; does nothing else.
extern "C" PLAVORA_COMPONENT_EXPORT component_client* plavora_get_interface(host_services* services, HINSTANCE module);
