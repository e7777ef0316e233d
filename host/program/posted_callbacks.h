#pragma once
// Runs what components posted to the host's main thread.

#include <cstdio>

#include "host/standin/main_thread_queue.h"

namespace plavora_host {

// Runs every pending callback. One that throws is reported on `report` and the rest still run, as
// the player reports a component's failure and goes on.
void run_posted_callbacks(standin_host::main_thread_queue& queue, std::FILE* report);

} // namespace plavora_host
