#pragma once
// The growable UTF-8 string. Its buffer follows the text: it grows with 16 bytes to spare and is
// given back when more than 32 bytes would lie unused, so a setting that once held a long text
// does not keep that memory.

#include <cstddef>
#include <string_view>

#include "frame/heap_text.h"
#include "frame/string_base.h"

namespace wex {

// Allocation policy: the buffer comes from the C++ heap.
struct alloc_standard {};

template <typename Allocation>
class string8_t;

template <>
class string8_t<alloc_standard> : public string_base {
public:
    string8_t() noexcept = default;
    explicit string8_t(const char* text, std::size_t max_length = no_limit);
    string8_t(const string8_t& other);
    string8_t(string8_t&& other) noexcept = default;
    string8_t& operator=(const string8_t& other);
    string8_t& operator=(string8_t&& other) noexcept = default;
    ~string8_t() = default;

    void append(const char* text, std::size_t max_length = no_limit) override;
    const char* get_text() const override;
    void assign(const char* text, std::size_t max_length = no_limit) override;
    void truncate(std::size_t length) override;
    std::size_t get_length() const override;
    char* lock_buffer(std::size_t length) override;
    void unlock_buffer() override;

    std::string_view view() const noexcept { return {text_.text(), text_.length()}; }
    // The buffer's size in bytes, NUL included; 0 while the string holds no buffer.
    std::size_t capacity() const noexcept { return text_.size(); }

private:
    heap_text text_;
};

using string8 = string8_t<alloc_standard>;

} // namespace wex
