#include "frame/component_version.h"
#include "frame/factories.h"
#include "frame/load_order.h"
#include "link/initquit.h"
#include "player/preferences.h"

// The services that the component offers the host, in the order of the factory list from its head:
// the preferences page, the init/quit handler, the version record.

namespace plv_duskward {
namespace {

PLV_LOAD_ORDER_VERSION componentversion_impl_simple_factory version_factory(
    "Duskward Connection", "1.2", "Connection to the game Duskward: Grey Orchard");
PLV_LOAD_ORDER_INITQUIT initquit_factory_t<plv_duskward::initquit> initquit_factory;
PLV_LOAD_ORDER_PREFERENCES preferences_page_factory_t<plv_duskward::preferences> preferences_factory;

} // namespace
} // namespace plv_duskward
