#pragma once
// A stand-in key_shortcut_processor that records every key code it is offered, in every context,
// and says it handled a key in the contexts it is told to. It can also put an item into the list
// it is given, as a real processor may, to show that the caller releases what the list holds.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <set>
#include <vector>

#include "frame/host_interfaces.h"

namespace standin_host {

struct key_offer {
    std::uint32_t context = 0;
    std::uint32_t key_code = 0;
    std::size_t items = 0; // how many items the list held when it was offered
    bool operator==(const key_offer&) const = default;
};

class key_processor : public key_shortcut_processor {
public:
    bool process_key(std::uint32_t context, service_list_base& items, std::uint32_t key_code) override;

    void handle_contexts(std::set<std::uint32_t> contexts);
    // Each offer adds one reference of `item` to the list it is given; null stops it.
    void add_item_to_each_list(service_base* item);

    std::vector<key_offer> offers() const;
    void clear();

protected:
    ~key_processor() = default;

private:
    mutable std::mutex lock_;
    std::set<std::uint32_t> handled_;
    service_base* item_ = nullptr;
    std::vector<key_offer> offers_;
};

} // namespace standin_host
