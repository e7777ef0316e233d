#pragma once
// The stand-in host's title formatting: "%field%" is replaced by the track's field of that name
// (letter case does not matter), "?" for a field that the track lacks; a script with a "%" left
// open does not compile.

#include "frame/host_interfaces.h"
#include "host/standin/counted.h"

namespace standin_host {

class title_formatter final : public counted_t<::title_formatter> {
public:
    // On success `out` holds a new script with one reference, which the caller releases.
    bool compile(::title_script*& out, const char* script) override;

    int compile_calls() const { return compile_calls_; }

private:
    int compile_calls_ = 0;
};

} // namespace standin_host
