#include "link/key_poll.h"

#include <gtest/gtest.h>

#include <vector>

#include "frame/errors.h"
#include "link/key_callback.h"
#include "testing/standin/keyboard.h"
#include "tests/support/standin_host_fixture.h"

namespace plv_duskward {
namespace {

// Keeps what is posted, so that the test can look at each callback before playing the host.
class keeping_poster : public main_thread_poster {
public:
    void post_callback(main_thread_callback* callback) override { posted.push_back(callback); }
    std::vector<main_thread_callback*> posted;
};

class PollKeys : public ::testing::Test {
protected:
    PollKeys() {
        standin::reset_keyboard();
        host_.registry.remove_all(main_thread_poster::class_id);
        host_.registry.add(&poster_);
    }
    ~PollKeys() override {
        for (main_thread_callback* callback : poster_.posted) callback->release();
        standin::reset_keyboard();
    }

    service_impl_single_t<keeping_poster> poster_;
    test_support::standin_host_fixture host_;
    key_state_table table_{};
};

TEST_F(PollKeys, EachNewPressIsOneCallbackCarryingOneReference) {
    standin::set_key_down(VK_CONTROL, true);
    standin::set_key_down(VK_LCONTROL, true);
    poll_keys(table_);
    ASSERT_EQ(poster_.posted.size(), 2u);
    std::vector<std::int32_t> keys;
    for (main_thread_callback* callback : poster_.posted) {
        keys.push_back(dynamic_cast<key_callback&>(*callback).virtual_key());
        EXPECT_EQ(callback->add_ref(), 2) << "it came with exactly one reference";
        EXPECT_EQ(callback->release(), 1);
    }
    EXPECT_EQ(keys, (std::vector<std::int32_t>{VK_CONTROL, VK_LCONTROL}));

    poll_keys(table_);
    EXPECT_EQ(poster_.posted.size(), 2u) << "still held: nothing new";
}

TEST_F(PollKeys, OnePollReadsEveryKeyButScrollLock) {
    poll_keys(table_);
    EXPECT_EQ(standin::keyboard_call_counts().async_key_state, 254);
}

TEST_F(PollKeys, NoPosterLeavesAsServiceNotFound) {
    host_.registry.remove_all(main_thread_poster::class_id);
    standin::set_key_down(70, true);
    EXPECT_THROW(poll_keys(table_), exception_service_not_found);
    EXPECT_EQ(table_[70], 0) << "no key is taken as seen when nothing could be posted";
}

} // namespace
} // namespace plv_duskward
