#include "host/standin/title_formatter.h"

#include "host/standin/title_script.h"

namespace standin_host {

bool title_formatter::compile(::title_script*& out, const char* script) {
    ++compile_calls_;
    auto pieces = title_script_impl::parse(script != nullptr ? script : "");
    if (!pieces) return false;
    auto* compiled = new service_impl_t<title_script_impl>(std::move(*pieces));
    compiled->add_ref();
    out = compiled;
    return true;
}

} // namespace standin_host
