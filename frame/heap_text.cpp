#include "frame/heap_text.h"

#include <cstring>
#include <utility>

#include "frame/text_size.h"

namespace wex {

heap_text::heap_text(heap_text&& other) noexcept
    : buffer_(std::exchange(other.buffer_, nullptr)), size_(std::exchange(other.size_, 0)),
      length_(std::exchange(other.length_, 0)) {}

heap_text& heap_text::operator=(heap_text&& other) noexcept {
    if (this != &other) {
        delete[] std::exchange(buffer_, std::exchange(other.buffer_, nullptr));
        size_ = std::exchange(other.size_, 0);
        length_ = std::exchange(other.length_, 0);
    }
    return *this;
}

heap_text::~heap_text() { delete[] buffer_; }

void heap_text::splice(std::size_t keep, const char* text, std::size_t count, std::size_t new_size) {
    if (new_size == size_) {
        // The text may overlap the bytes it lands on when it comes from this buffer.
        if (count != 0) {
            std::memmove(buffer_ + keep, text, count);
        }
    } else {
        char* buffer = new char[new_size];
        if (keep != 0) {
            std::memcpy(buffer, buffer_, keep);
        }
        if (count != 0) {
            std::memcpy(buffer + keep, text, count);
        }
        delete[] std::exchange(buffer_, buffer);
        size_ = new_size;
    }
    length_ = keep + count;
    buffer_[length_] = '\0';
}

char* heap_text::zeroed(std::size_t count, std::size_t new_size) {
    if (new_size != size_) {
        char* buffer = new char[new_size];
        delete[] std::exchange(buffer_, buffer);
        size_ = new_size;
    }
    std::memset(buffer_, 0, count);
    length_ = 0;
    return buffer_;
}

std::size_t heap_text::written_length() const noexcept {
    return size_ == 0 ? 0 : bounded_text_length(buffer_, size_ - 1);
}

} // namespace wex
