#include "link/key_poll.h"

#include <windows.h>

#include "frame/host_lookup.h"
#include "link/key_callback.h"

namespace plv_duskward {
namespace {

bool physically_down(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

void post_key(main_thread_poster& poster, int key) {
    auto* callback = new service_impl_t<key_callback>(key);
    callback->add_ref(); // the one reference that travels to the host
    poster.post_callback(callback);
}

} // namespace

void poll_keys(key_state_table& table) {
    service_ptr_t<main_thread_poster> poster = get_single_service<main_thread_poster>();
    detect_new_presses(table, physically_down, [&](int key) { post_key(*poster, key); });
}

} // namespace plv_duskward
