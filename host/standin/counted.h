#pragma once
// A stand-in service that belongs to whoever made it (a test, or the host's own tables), with its
// references counted so that a test can see that the component dropped every one it took.

#include <atomic>
#include <cstdint>

#include "frame/service.h"

namespace standin_host {

template <class Interface>
class counted_t : public Interface {
public:
    std::int32_t release() override { return --references_; }
    std::int32_t add_ref() override { return ++references_; }
    bool query(service_base*& out, const GUID& asked) override { return wex::answer_query(*this, out, asked); }

    // References held by others than the owner.
    std::int32_t references() const { return references_.load(); }

protected:
    counted_t() = default;
    ~counted_t() = default;

private:
    std::atomic<std::int32_t> references_{0};
};

} // namespace standin_host
