#include "frame/host_lookup.h"

namespace plv_duskward::detail {

host_services* registry_or_null() { return current_host_services(); }

} // namespace plv_duskward::detail
