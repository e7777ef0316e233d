#pragma once
// The text interface shared with the host: every text that crosses the module boundary (console
// lines, dialog texts, settings, version strings) is UTF-8, NUL-terminated and measured in bytes.

#include <cstddef>

// wex: the support types the component shares in form with its host (texts, owned handles, errors).
namespace wex {

// "No maximum" for the length arguments below. A text ends at its maximum length or at its first
// NUL, whichever comes first; a null text is empty.
inline constexpr std::size_t no_limit = static_cast<std::size_t>(-1);

class string_receiver {
public:
    virtual void append(const char* text, std::size_t max_length = no_limit) = 0;

protected:
    ~string_receiver() = default;
};

// The virtual operations are in a fixed order, because the host calls them by slot.
class string_base : public string_receiver {
public:
    virtual const char* get_text() const = 0;
    virtual void assign(const char* text, std::size_t max_length = no_limit) = 0;
    virtual void truncate(std::size_t length) = 0;
    virtual std::size_t get_length() const = 0;
    // Makes room for `length` bytes plus the NUL and zeroes them; no_limit throws exception_overflow.
    virtual char* lock_buffer(std::size_t length) = 0;
    // Takes the length of the written text up to its first NUL.
    virtual void unlock_buffer() = 0;

    bool is_empty() const { return get_length() == 0; }

protected:
    ~string_base() = default;
};

} // namespace wex
