#include "link/key_callback.h"

#include <windows.h>

#include "frame/host_lookup.h"
#include "link/service_list.h"

namespace plv_duskward {
namespace {

constexpr std::uint32_t shift_bit = 0x100;
constexpr std::uint32_t ctrl_bit = 0x200;
constexpr std::uint32_t alt_bit = 0x400;
constexpr std::uint32_t windows_bit = 0x800;

constexpr std::uint32_t contexts[] = {0, 2, 3};

bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

void offer_key(key_shortcut_processor& processor, std::int32_t virtual_key) {
    for (std::uint32_t context : contexts) {
        // Read afresh for each offer: what counts is what the user holds as the host handles it.
        std::uint32_t key_code = read_key_code(virtual_key);
        service_list items;
        if (processor.process_key(context, items, key_code)) return;
    }
}

} // namespace

std::uint32_t read_key_code(std::int32_t virtual_key) {
    std::uint32_t key_code = static_cast<std::uint32_t>(virtual_key) & 0xFF;
    if (held(VK_CONTROL)) key_code |= ctrl_bit;
    if (held(VK_SHIFT)) key_code |= shift_bit;
    if (held(VK_MENU)) key_code |= alt_bit;
    if (held(VK_LWIN) || held(VK_RWIN)) key_code |= windows_bit;
    return key_code;
}

void key_callback::run() {
    service_enumerator<key_shortcut_processor> processors;
    for (service_ptr_t<key_shortcut_processor> processor; processors.next(processor);)
        offer_key(*processor, virtual_key_);
}

} // namespace plv_duskward
