#pragma once
// Immutable texts shared by reference: copying a value copies two pointers and counts one
// reference up, so values can be passed around and kept on several threads without copying text.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "frame/string8.h"
#include "frame/string_base.h"

namespace wex {

// A reference-counted object; whoever drops the last reference destroys it.
class rc_container_base {
public:
    void add_ref() noexcept { count_.fetch_add(1, std::memory_order_relaxed); }
    void release() noexcept {
        if (count_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            destroy();
        }
    }
    std::int32_t reference_count() const noexcept { return count_.load(std::memory_order_relaxed); }

    // Destroys the container and frees its memory.
    virtual void destroy() noexcept = 0;

protected:
    constexpr rc_container_base() noexcept = default;
    ~rc_container_base() = default;

private:
    std::atomic<std::int32_t> count_{1}; // the creator's reference
};

template <typename T>
class rc_container_t final : public rc_container_base {
public:
    explicit rc_container_t(T&& object) : object_(std::move(object)) {}

    T& object() noexcept { return object_; }
    void destroy() noexcept override { delete this; }

private:
    ~rc_container_t() = default; // only through destroy()

    T object_;
};

// The text object of the empty value: it reads as "" and refuses every change with
// exception_not_implemented, since a shared text must never change.
class read_only_empty_text final : public string_base {
public:
    constexpr read_only_empty_text() noexcept = default;

    void append(const char* text, std::size_t max_length = no_limit) override;
    const char* get_text() const override { return ""; }
    void assign(const char* text, std::size_t max_length = no_limit) override;
    void truncate(std::size_t length) override;
    std::size_t get_length() const override { return 0; }
    char* lock_buffer(std::size_t length) override;
    void unlock_buffer() override;
};

class shared_text {
public:
    static constexpr std::size_t not_found = static_cast<std::size_t>(-1);

    // The empty value.
    shared_text() noexcept;
    // A copy of the text, which ends at its first NUL or after max_length bytes.
    explicit shared_text(const char* text, std::size_t max_length = no_limit);
    // Takes the string's text over without copying it.
    explicit shared_text(string8&& text);
    shared_text(const shared_text& other) noexcept;
    // Leaves `other` the empty value.
    shared_text(shared_text&& other) noexcept;
    shared_text& operator=(shared_text other) noexcept;
    ~shared_text();

    const char* get_text() const { return text_->get_text(); }
    std::size_t get_length() const { return text_->get_length(); }
    std::string_view view() const { return {get_text(), get_length()}; }
    const string_base& text_object() const noexcept { return *text_; }
    std::int32_t use_count() const noexcept { return container_->reference_count(); }

    // The text from `position` on; a position past the end throws exception_overflow.
    shared_text rest_from(std::size_t position) const;
    // The first position at or after `start` where `needle` occurs, or not_found.
    std::size_t find(std::string_view needle, std::size_t start = 0) const;

    friend shared_text operator+(const shared_text& first, const shared_text& second);

private:
    rc_container_base* container_;
    const string_base* text_;
};

} // namespace wex
