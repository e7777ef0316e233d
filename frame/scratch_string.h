#pragma once
// The string for messages and texts that live briefly: its buffer only grows, by doubling, so a
// text built piece by piece costs few allocations.

#include <cstddef>
#include <string_view>

#include "frame/heap_text.h"
#include "frame/string_base.h"

namespace wex {

class scratch_string final : public string_base {
public:
    scratch_string() noexcept = default;
    explicit scratch_string(const char* text, std::size_t max_length = no_limit);
    scratch_string(const scratch_string& other);
    scratch_string(scratch_string&& other) noexcept = default;
    scratch_string& operator=(const scratch_string& other);
    scratch_string& operator=(scratch_string&& other) noexcept = default;
    ~scratch_string() = default;

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

} // namespace wex
