#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>

#include "frame/errors.h"
#include "frame/host_shared.h"

namespace {

static_assert(std::is_base_of_v<wex::exception_bug_check, wex::exception_bug_check_v2>);
static_assert(std::is_base_of_v<wex::exception_bug_check, wex::exception_not_implemented>);
static_assert(std::is_base_of_v<plavora_io::exception_io, plavora_io::exception_io_data>);
static_assert(std::is_base_of_v<plavora_io::exception_io_data, plavora_io::exception_io_data_truncation>);

std::string bug_check_v2_text() {
    const std::string where = uGetCallStackPath();
    return where.empty() ? "Bug check" : "Bug check (at: " + where + ")";
}

TEST(ErrorsTest, EachErrorCarriesItsText) {
    struct Case {
        const char* name;
        std::function<void()> raise;
        std::string expected;
    };
    const Case cases[] = {
        {"bug check", [] { throw wex::exception_bug_check(); }, "Bug check"},
        {"bug check v2", [] { throw wex::exception_bug_check_v2(); }, bug_check_v2_text()},
        {"not implemented", [] { throw wex::exception_not_implemented(); }, "Feature not implemented"},
        {"overflow", [] { throw wex::exception_overflow(); }, "Overflow"},
        {"io data truncation", [] { throw plavora_io::exception_io_data_truncation(); },
            "Unsupported format or corrupted file"},
        {"aborted", [] { throw plavora_io::exception_aborted(); }, "User abort"},
        {"service not found", [] { throw exception_service_not_found(); }, "Service not found"},
        {"service duplicated", [] { throw exception_service_duplicated(); }, "Service duplicated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.raise();
            ADD_FAILURE() << "nothing thrown";
        } catch (const std::exception& error) {
            EXPECT_EQ(error.what(), c.expected);
        }
    }
}

TEST(ErrorsTest, CopiedBugCheckKeepsItsText) {
    const wex::exception_bug_check_v2 original;
    const wex::exception_bug_check_v2 copy = original;
    EXPECT_STREQ(copy.what(), original.what());
    const wex::exception_bug_check& as_base = copy;
    EXPECT_EQ(as_base.what(), bug_check_v2_text());
}

} // namespace
