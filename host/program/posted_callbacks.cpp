#include "host/program/posted_callbacks.h"

#include <exception>

namespace plavora_host {

void run_posted_callbacks(standin_host::main_thread_queue& queue, std::FILE* report) {
    for (;;) {
        try {
            queue.run_pending();
            return;
        } catch (const std::exception& error) {
            std::fprintf(report, "plavora_host: a posted callback failed: %s\n", error.what());
            std::fflush(report);
        }
    }
}

} // namespace plavora_host
