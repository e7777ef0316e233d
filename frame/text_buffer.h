#pragma once
// Strings inside the object, for short texts built without touching the heap (digits of numbers
// and times). A text that does not fit is refused whole with exception_overflow.

#include <cstddef>
#include <cstring>
#include <string_view>

#include "frame/errors.h"
#include "frame/string_base.h"
#include "frame/text_size.h"

namespace wex {

// `Size` bytes: at most Size - 1 bytes of text and the NUL.
template <std::size_t Size>
class text_buffer_t final : public string_base {
public:
    static constexpr std::size_t max_text_length = Size - 1;

    text_buffer_t() noexcept = default;
    text_buffer_t(const text_buffer_t&) noexcept = default;
    text_buffer_t& operator=(const text_buffer_t&) noexcept = default;
    ~text_buffer_t() = default;

    void append(const char* text, std::size_t max_length = no_limit) override {
        const std::size_t count = bounded_text_length(text, max_length);
        if (count > max_text_length - length_) {
            throw exception_overflow();
        }
        copy_to(length_, text, count);
        length_ += count;
        buffer_[length_] = '\0';
    }

    const char* get_text() const override { return buffer_; }

    void assign(const char* text, std::size_t max_length = no_limit) override {
        const std::size_t count = bounded_text_length(text, max_length);
        if (count > max_text_length) {
            throw exception_overflow();
        }
        copy_to(0, text, count);
        length_ = count;
        buffer_[length_] = '\0';
    }

    void truncate(std::size_t length) override {
        if (length > max_text_length) {
            length = max_text_length;
        }
        if (length < length_) {
            length_ = length;
            buffer_[length_] = '\0';
        }
    }

    std::size_t get_length() const override { return length_; }

    char* lock_buffer(std::size_t length) override {
        if (length > max_text_length) {
            throw exception_overflow();
        }
        std::memset(buffer_, 0, length + 1);
        length_ = 0;
        return buffer_;
    }

    void unlock_buffer() override {
        length_ = bounded_text_length(buffer_, max_text_length);
        buffer_[length_] = '\0';
    }

    std::string_view view() const noexcept { return {buffer_, length_}; }

private:
    void copy_to(std::size_t position, const char* text, std::size_t count) noexcept {
        // Only with bytes to copy: the text may be null, and memmove of null is undefined even
        // for 0 bytes (the optimiser then drops the null check). It may come from this buffer.
        if (count != 0) {
            std::memmove(buffer_ + position, text, count);
        }
    }

    char buffer_[Size] = {};
    std::size_t length_ = 0;
};

using text_buffer_64 = text_buffer_t<64>;
using text_buffer_128 = text_buffer_t<128>;

} // namespace wex
