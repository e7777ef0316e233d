#pragma once

#include "host/standin/counted.h"
#include "frame/host_interfaces.h"

namespace standin_host {

// Names the stand-in player and its version, as the help site's addresses expect it.
class host_identity final : public counted_t<::host_identity> {
public:
    static constexpr const char* identity_text = "plavora/1.0";

    const char* get_identity_text() override { return identity_text; }
};

} // namespace standin_host
