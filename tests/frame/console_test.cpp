// Console lines and the lookup of the host's services behind them.

#include "frame/console.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "frame/host_lookup.h"
#include "frame/text_size.h"
#include "tests/support/standin_host_fixture.h"

namespace plv_duskward {
namespace {

using lines = std::vector<std::string>;

// A console that counts the references it holds, to show that every one is given back.
class counting_console : public host_console {
public:
    std::int32_t add_ref() override { return ++references; }
    std::int32_t release() override { return --references; }
    bool query(service_base*&, const GUID&) override { return false; }
    void print(const char* text, std::size_t max_length) override {
        printed.emplace_back(text, wex::bounded_text_length(text, max_length));
    }

    std::atomic<std::int32_t> references{0};
    lines printed;
};

TEST(Console, LinesAreDroppedWhileTheHostHasTheConsoleOff) {
    test_support::standin_host_fixture host;
    set_services_ready(false);
    report_error("too early");
    print_formatted("also %s", "too early");
    EXPECT_TRUE(host.lines().empty());

    set_services_ready(true);
    report_error("plv_duskward failed to write to file");
    print_formatted("found '%ls'", L"Duskward: Grey Orchard");
    EXPECT_EQ(host.lines(), (lines{"Error: plv_duskward failed to write to file", "found 'Duskward: Grey Orchard'"}));

    // The host switches the console off before it unloads: a line after that is dropped too.
    set_services_ready(false);
    report_error("too late");
    print_formatted("also %s", "too late");
    set_services_ready(true);
    EXPECT_EQ(host.lines().size(), 2u);
}

TEST(Console, EveryConsoleGetsTheLineAndEveryReferenceIsReleased) {
    test_support::standin_host_fixture host;
    counting_console second;
    host.registry.add(&second);
    const std::int32_t held_by_registry = second.references.load();
    report_error("gamedata does not exist");
    EXPECT_EQ(host.lines(), lines{"Error: gamedata does not exist"});
    EXPECT_EQ(second.printed, lines{"Error: gamedata does not exist"});
    EXPECT_EQ(second.references.load(), held_by_registry);
    host.registry.remove_all(host_console::class_id);
}

TEST(HostLookup, ASingleServiceIsFoundOnlyWhenThereIsExactlyOne) {
    test_support::standin_host_fixture host;
    counting_console extra;
    host.registry.remove_all(main_thread_poster::class_id);
    EXPECT_THROW(get_single_service<main_thread_poster>(), exception_service_not_found);
    {
        auto console = get_single_service<host_console>();
        EXPECT_NE(console.get(), nullptr);
    }
    host.registry.add(&extra);
    try {
        get_single_service<host_console>();
        ADD_FAILURE() << "two consoles are not one";
    } catch (const exception_service_duplicated& error) {
        EXPECT_STREQ(error.what(), "Service duplicated");
    }
    host.registry.remove_all(host_console::class_id);
    EXPECT_EQ(extra.references.load(), 0);
    try {
        get_single_service<host_console>();
        ADD_FAILURE() << "no console left";
    } catch (const exception_service_not_found& error) {
        EXPECT_STREQ(error.what(), "Service not found");
    }
}

} // namespace
} // namespace plv_duskward
