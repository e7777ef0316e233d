#include "frame/errors.h"

#include "frame/host_shared.h"
#include "frame/scratch_string.h"

namespace wex {
namespace {

shared_text bug_check_text() {
    scratch_string text("Bug check");
    const char* where = uGetCallStackPath();
    if (where != nullptr && where[0] != '\0') {
        text.append(" (at: ");
        text.append(where);
        text.append(")");
    }
    return shared_text(text.get_text(), text.get_length());
}

} // namespace

const char* exception_bug_check::what() const noexcept { return "Bug check"; }

exception_bug_check_v2::exception_bug_check_v2() : text_(bug_check_text()) {}

const char* exception_bug_check_v2::what() const noexcept { return text_.get_text(); }

const char* exception_not_implemented::what() const noexcept { return "Feature not implemented"; }

const char* exception_overflow::what() const noexcept { return "Overflow"; }

} // namespace wex

namespace plavora_io {

const char* exception_io::what() const noexcept { return "I/O error"; }

const char* exception_io_data::what() const noexcept { return "Unsupported format or corrupted file"; }

const char* exception_io_data_truncation::what() const noexcept { return "Unsupported format or corrupted file"; }

const char* exception_aborted::what() const noexcept { return "User abort"; }

} // namespace plavora_io

const char* exception_service_not_found::what() const noexcept { return "Service not found"; }

const char* exception_service_duplicated::what() const noexcept { return "Service duplicated"; }
