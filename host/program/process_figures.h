#pragma once
// What the host process holds, for soak runs that check a component leaks nothing over hours.

#include <windows.h>

#include <string>

namespace plavora_host {

struct process_figures {
    unsigned long handles = 0;
    unsigned long long private_bytes = 0;
};

// False, with the reason in `error`, when the system does not tell.
bool read_process_figures(process_figures& out, std::string& error);

} // namespace plavora_host
