#include "link/key_poll.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

namespace plv_duskward {
namespace {

// A keyboard of the test's making, polled the way the watcher polls the real one.
class DetectNewPresses : public ::testing::Test {
protected:
    std::vector<int> poll() {
        std::vector<int> pressed;
        detect_new_presses(
            table_,
            [&](int key) {
                read_.push_back(key);
                return down_.count(key) != 0;
            },
            [&](int key) { pressed.push_back(key); });
        return pressed;
    }

    key_state_table table_{};
    std::set<int> down_;
    std::vector<int> read_;
};

TEST_F(DetectNewPresses, KeyHeldOverManyPollsIsPressedOnce) {
    down_ = {70};
    EXPECT_EQ(poll(), std::vector<int>{70});
    for (int i = 0; i < 40; ++i) EXPECT_TRUE(poll().empty());
    down_.clear();
    EXPECT_TRUE(poll().empty());
    down_ = {70};
    EXPECT_EQ(poll(), std::vector<int>{70}) << "released and pressed again";
}

TEST_F(DetectNewPresses, EveryKeyButScrollLockIsReadInRisingOrder) {
    down_ = {145, 1, 255};
    EXPECT_EQ(poll(), (std::vector<int>{1, 255})) << "mouse buttons count; Scroll Lock never does";
    ASSERT_EQ(read_.size(), 254u);
    EXPECT_EQ(read_.front(), 1);
    EXPECT_EQ(read_.back(), 255);
    for (std::size_t i = 1; i < read_.size(); ++i) {
        EXPECT_LT(read_[i - 1], read_[i]);
        EXPECT_NE(read_[i], 145);
    }
}

TEST_F(DetectNewPresses, LeftControlAloneIsTwoPressesGenericFirst) {
    down_ = {17, 162};
    EXPECT_EQ(poll(), (std::vector<int>{17, 162}));
}

TEST_F(DetectNewPresses, TableKeepsItsStateWhileNotPolled) {
    down_ = {65};
    poll();
    // Control mode ends and begins again with A still held, and B pressed meanwhile.
    down_ = {65, 66};
    EXPECT_EQ(poll(), std::vector<int>{66});
}

TEST_F(DetectNewPresses, PressThatCouldNotBePassedOnCountsAgainNextPoll) {
    down_ = {70};
    EXPECT_THROW(detect_new_presses(
                     table_, [&](int key) { return down_.count(key) != 0; },
                     [](int) -> void { throw std::runtime_error("no host"); }),
        std::runtime_error);
    EXPECT_EQ(poll(), std::vector<int>{70});
}

} // namespace
} // namespace plv_duskward
