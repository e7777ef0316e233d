#include "frame/shared_text.h"

#include <cstring>

#include "frame/errors.h"
#include "frame/text_size.h"

namespace wex {
namespace {

// Lives as long as the process and is shared by every empty value. It holds one reference of its
// own, so the count never reaches 0 and destroy() is never asked to free static memory.
class empty_text_container final : public rc_container_base {
public:
    constexpr empty_text_container() noexcept = default;

    const string_base* text() const noexcept { return &text_; }
    void destroy() noexcept override {}

private:
    read_only_empty_text text_;
};

constinit empty_text_container g_empty_text;

} // namespace

void read_only_empty_text::append(const char*, std::size_t) { throw exception_not_implemented(); }
void read_only_empty_text::assign(const char*, std::size_t) { throw exception_not_implemented(); }
void read_only_empty_text::truncate(std::size_t) { throw exception_not_implemented(); }
char* read_only_empty_text::lock_buffer(std::size_t) { throw exception_not_implemented(); }
void read_only_empty_text::unlock_buffer() { throw exception_not_implemented(); }

shared_text::shared_text() noexcept : container_(&g_empty_text), text_(g_empty_text.text()) { container_->add_ref(); }

shared_text::shared_text(const char* text, std::size_t max_length) : shared_text(string8(text, max_length)) {}

shared_text::shared_text(string8&& text) {
    auto* container = new rc_container_t<string8>(std::move(text));
    container_ = container;
    text_ = &container->object();
}

shared_text::shared_text(const shared_text& other) noexcept : container_(other.container_), text_(other.text_) {
    container_->add_ref();
}

shared_text::shared_text(shared_text&& other) noexcept : shared_text() {
    std::swap(container_, other.container_);
    std::swap(text_, other.text_);
}

shared_text& shared_text::operator=(shared_text other) noexcept {
    std::swap(container_, other.container_);
    std::swap(text_, other.text_);
    return *this;
}

shared_text::~shared_text() { container_->release(); }

shared_text shared_text::rest_from(std::size_t position) const {
    if (position > get_length()) {
        throw exception_overflow();
    }
    return shared_text(get_text() + position);
}

std::size_t shared_text::find(std::string_view needle, std::size_t start) const {
    const std::size_t position = view().find(needle, start);
    return position == std::string_view::npos ? not_found : position;
}

shared_text operator+(const shared_text& first, const shared_text& second) {
    const std::size_t first_length = first.get_length();
    const std::size_t second_length = second.get_length();
    const std::size_t length = checked_size_sum(first_length, second_length);
    checked_size_sum(length, 1); // the NUL must fit too: a failed size is bad_alloc, not Overflow
    string8 text;
    char* buffer = text.lock_buffer(length);
    std::memcpy(buffer, first.get_text(), first_length);
    std::memcpy(buffer + first_length, second.get_text(), second_length);
    text.unlock_buffer();
    return shared_text(std::move(text));
}

} // namespace wex
