#include "host/program/posted_callbacks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "frame/service.h"

namespace {

class step : public main_thread_callback {
public:
    step(std::string& log, char name, bool throws) : log_(log), name_(name), throws_(throws) {}
    void run() override {
        log_ += name_;
        if (throws_) throw std::runtime_error("callback broke");
    }

private:
    std::string& log_;
    char name_;
    bool throws_;
};

TEST(PostedCallbacks, OneThatThrowsIsReportedAndTheOthersStillRun) {
    auto queue =
        service_ptr_t<standin_host::main_thread_queue>::share(new service_impl_t<standin_host::main_thread_queue>());
    std::string log;
    struct planned {
        char name;
        bool throws;
    };
    for (const planned& callback : {planned{'a', false}, planned{'b', true}, planned{'c', false}}) {
        auto posted =
            service_ptr_t<main_thread_callback>::share(new service_impl_t<step>(log, callback.name, callback.throws));
        queue->post_callback(posted.detach());
    }
    std::FILE* report = std::tmpfile();
    ASSERT_NE(report, nullptr);

    plavora_host::run_posted_callbacks(*queue, report);

    EXPECT_EQ(log, "abc");
    EXPECT_EQ(queue->pending(), 0u);
    char line[200] = {};
    std::rewind(report);
    ASSERT_NE(std::fgets(line, sizeof line, report), nullptr);
    EXPECT_STREQ(line, "plavora_host: a posted callback failed: callback broke\n");
    std::fclose(report);
}

} // namespace
