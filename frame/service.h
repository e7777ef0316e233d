#pragma once
// The object model shared with the host: every service starts with release, add_ref and query, in
// that order, and a pointer handed over by value carries one reference that the receiver drops.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

class service_base {
public:
    virtual std::int32_t release() = 0;
    virtual std::int32_t add_ref() = 0;
    // On success `out` holds one new reference to the asked interface and what it held before has
    // been released; on failure `out` is left alone.
    virtual bool query(service_base*& out, const GUID& class_id) = 0;

protected:
    ~service_base() = default;
};

namespace wex {

// Stores `instance` in `out` with one reference for the caller, releasing what `out` held.
inline void hand_out(service_base& instance, service_base*& out) {
    instance.add_ref();
    if (out != nullptr) out->release();
    out = &instance;
}

// The one rule by which every service of the component answers query: only its own interface.
template <class Self>
bool answer_query(Self& self, service_base*& out, const GUID& asked) {
    if (asked != Self::class_id) return false;
    hand_out(self, out);
    return true;
}

} // namespace wex

// Objects that live as long as the library: counting is meaningless, so it is not done.
template <class T>
class service_impl_single_t : public T {
public:
    template <class... Args>
    explicit service_impl_single_t(Args&&... args) : T(std::forward<Args>(args)...) {}

    std::int32_t release() override { return 1; }
    std::int32_t add_ref() override { return 1; }
    bool query(service_base*& out, const GUID& asked) override { return wex::answer_query(*this, out, asked); }
};

// Objects made with new. A service is counted atomically, since one may be made on one thread and
// released on another; the count starts at 0 and the object deletes itself when it returns to 0.
// Interfaces that are no service (the playback listener) get no operations at all.
template <class T, bool IsService = std::is_base_of_v<service_base, T>>
class service_impl_t;

template <class T>
class service_impl_t<T, true> final : public T {
public:
    template <class... Args>
    explicit service_impl_t(Args&&... args) : T(std::forward<Args>(args)...) {}

    std::int32_t release() override {
        std::int32_t count = --count_;
        if (count == 0) delete this;
        return count;
    }
    std::int32_t add_ref() override { return ++count_; }
    bool query(service_base*& out, const GUID& asked) override { return wex::answer_query(*this, out, asked); }

private:
    ~service_impl_t() = default;
    std::atomic<std::int32_t> count_{0};
};

template <class T>
class service_impl_t<T, false> final : public T {
public:
    template <class... Args>
    explicit service_impl_t(Args&&... args) : T(std::forward<Args>(args)...) {}
};

// Holds one reference to a service and drops it on every way out of its scope.
template <class T>
class service_ptr_t {
public:
    service_ptr_t() = default;
    // Adopts a reference that the caller already owns.
    static service_ptr_t adopt(T* object) {
        service_ptr_t result;
        result.object_ = object;
        return result;
    }
    // Adds a reference of its own.
    static service_ptr_t share(T* object) {
        if (object != nullptr) object->add_ref();
        return adopt(object);
    }
    service_ptr_t(const service_ptr_t& other) : object_(other.object_) {
        if (object_ != nullptr) object_->add_ref();
    }
    service_ptr_t(service_ptr_t&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    service_ptr_t& operator=(service_ptr_t other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~service_ptr_t() { reset(); }

    void reset() {
        if (T* object = std::exchange(object_, nullptr)) object->release();
    }
    // Hands the reference to the caller, who now has to release it.
    T* detach() { return std::exchange(object_, nullptr); }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};
