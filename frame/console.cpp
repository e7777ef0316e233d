#include "frame/console.h"

#include <cstdarg>

#include "frame/host_lookup.h"
#include "frame/host_shared.h"
#include "frame/scratch_string.h"

namespace plv_duskward {
namespace {

void print_line(const char* text) {
    service_enumerator<host_console> consoles;
    for (service_ptr_t<host_console> console; consoles.next(console);) console->print(text, wex::no_limit);
}

} // namespace

void report_error(const char* message) {
    if (!services_ready()) return;
    wex::scratch_string line;
    line.assign("Error");
    line.append(": ");
    line.append(message);
    print_line(line.get_text());
}

void print_formatted(const char* format, ...) {
    if (!services_ready()) return;
    wex::scratch_string line;
    va_list args;
    va_start(args, format);
    uPrintfV(line, format, args);
    va_end(args);
    print_line(line.get_text());
}

} // namespace plv_duskward
