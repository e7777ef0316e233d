#include "frame/factories.h"

namespace plv_duskward {
namespace {

// Constant-initialised, so it is null before any factory's constructor runs.
constinit service_factory_base* head = nullptr;

} // namespace

service_factory_base* first_factory() { return head; }

void detail::link_factory(service_factory_base& factory) {
    factory.next = head;
    head = &factory;
}

} // namespace plv_duskward
