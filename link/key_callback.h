#pragma once
// One key press, carried from the watcher thread to the host's main thread, where it is offered
// to every key_shortcut_processor of the host.

#include <cstdint>

#include "frame/host_interfaces.h"

namespace plv_duskward {

class key_callback : public main_thread_callback {
public:
    explicit key_callback(std::int32_t virtual_key) : virtual_key_(virtual_key) {}

    // On the host's main thread: each processor in turn is offered the key in the contexts 0, 2
    // and 3 until it handles it; every processor is offered it, whatever the others answered.
    void run() override;

    std::int32_t virtual_key() const { return virtual_key_; }

protected:
    ~key_callback() = default;

private:
    const std::int32_t virtual_key_; // written before the callback crosses threads, then only read
};

// The key code that the host's key assignments use: the virtual key in the low byte, and a bit for
// each modifier held on this thread now (Shift 0x100, Ctrl 0x200, Alt 0x400, either Windows key
// 0x800).
std::uint32_t read_key_code(std::int32_t virtual_key);

} // namespace plv_duskward
