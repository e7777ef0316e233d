#pragma once
// The two ways of writing to the host's console. Both print only while the host has switched the
// component's console output on; before that, and after it is switched off, lines are dropped.

namespace plv_duskward {

// Prints "Error: " followed by the message.
void report_error(const char* message);

// printf-style; "%ls" takes a wide text.
void print_formatted(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

} // namespace plv_duskward
