#pragma once
// The heap buffer behind the growable strings: a buffer, its size in bytes and the text's length.
// The owners decide the buffer's size; this class only moves bytes, and it changes nothing when
// an allocation fails.

#include <cstddef>

namespace wex {

class heap_text {
public:
    heap_text() noexcept = default;
    heap_text(heap_text&& other) noexcept;
    heap_text& operator=(heap_text&& other) noexcept;
    heap_text(const heap_text&) = delete;
    heap_text& operator=(const heap_text&) = delete;
    ~heap_text();

    const char* text() const noexcept { return buffer_ != nullptr ? buffer_ : ""; }
    std::size_t length() const noexcept { return length_; }
    std::size_t size() const noexcept { return size_; }

    // The content becomes its first `keep` bytes followed by `count` bytes of `text`, in a buffer
    // of `new_size` bytes (more than keep + count). `text` may lie in the current buffer: it is
    // read before the old buffer is freed.
    void splice(std::size_t keep, const char* text, std::size_t count, std::size_t new_size);

    // A buffer of `new_size` bytes whose first `count` bytes are zero, for the caller to write
    // into; the text is "" until written_length() is taken.
    char* zeroed(std::size_t count, std::size_t new_size);

    // The length up to the first NUL after the buffer was written directly, at most size - 1.
    std::size_t written_length() const noexcept;

private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    std::size_t length_ = 0;
};

} // namespace wex
