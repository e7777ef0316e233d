#include "frame/heap_text.h"

#include <cstring>
#include <utility>

#include "frame/text_size.h"

namespace wex {

heap_text::heap_text(heap_text&& other) noexcept
    : m_buffer(std::exchange(other.m_buffer, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_length(std::exchange(other.m_length, 0)) {}

heap_text& heap_text::operator=(heap_text&& other) noexcept {
    if (this != &other) {
        delete[] std::exchange(m_buffer, std::exchange(other.m_buffer, nullptr));
        m_size = std::exchange(other.m_size, 0);
        m_length = std::exchange(other.m_length, 0);
    }
    return *this;
}

heap_text::~heap_text() { delete[] m_buffer; }

void heap_text::splice(std::size_t keep, const char* text, std::size_t count, std::size_t new_size) {
    if (new_size == m_size) {
        // The text may overlap the bytes it lands on when it comes from this buffer.
        if (count != 0) {
            std::memmove(m_buffer + keep, text, count);
        }
    } else {
        char* buffer = new char[new_size];
        if (keep != 0) {
            std::memcpy(buffer, m_buffer, keep);
        }
        if (count != 0) {
            std::memcpy(buffer + keep, text, count);
        }
        delete[] std::exchange(m_buffer, buffer);
        m_size = new_size;
    }
    m_length = keep + count;
    m_buffer[m_length] = '\0';
}

char* heap_text::zeroed(std::size_t count, std::size_t new_size) {
    if (new_size != m_size) {
        char* buffer = new char[new_size];
        delete[] std::exchange(m_buffer, buffer);
        m_size = new_size;
    }
    std::memset(m_buffer, 0, count);
    m_length = 0;
    return m_buffer;
}

std::size_t heap_text::written_length() const noexcept {
    return m_size == 0 ? 0 : bounded_text_length(m_buffer, m_size - 1);
}

} // namespace wex
