#pragma once
// The errors that the component throws. Each carries its own text; the host shows what() to the
// user, so the texts are fixed wording.

#include <exception>

#include "frame/shared_text.h"

namespace wex {

// A state that must not happen.
class exception_bug_check : public std::exception {
public:
    const char* what() const noexcept override;
};

// A bug check that names where the host was when it happened, for bug reports.
class exception_bug_check_v2 : public exception_bug_check {
public:
    exception_bug_check_v2();
    const char* what() const noexcept override;

private:
    shared_text text_; // shared, so copying the exception while it is thrown cannot fail
};

class exception_not_implemented : public exception_bug_check {
public:
    const char* what() const noexcept override;
};

class exception_overflow : public std::exception {
public:
    const char* what() const noexcept override;
};

} // namespace wex

namespace plavora_io {

class exception_io : public std::exception {
public:
    const char* what() const noexcept override;
};

class exception_io_data : public exception_io {
public:
    const char* what() const noexcept override;
};

class exception_io_data_truncation : public exception_io_data {
public:
    const char* what() const noexcept override;
};

class exception_aborted : public std::exception {
public:
    const char* what() const noexcept override;
};

} // namespace plavora_io

// The lookup of a service that must exist exactly once found none, or more than one.
class exception_service_not_found : public std::exception {
public:
    const char* what() const noexcept override;
};

class exception_service_duplicated : public std::exception {
public:
    const char* what() const noexcept override;
};
