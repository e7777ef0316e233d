#include "link/watcher_decisions.h"

#include <gtest/gtest.h>

namespace plv_duskward {
namespace {

TEST(PlanLink, EachStateOfTheConnectionLeadsToItsActions) {
    struct row {
        const char* name;
        bool was_connected;
        bool candidate_in_front;
        link_plan expected;
    };
    const row rows[] = {
        {"away stays away unless a search finds the game", false, false, {false, true, false}},
        {"the window last looked up comes to the front", false, true, {false, false, true}},
        {"still in front", true, true, {false, false, false}},
        {"left the front: close, then look again", true, false, {true, true, false}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(plan_link(r.was_connected, r.candidate_in_front), r.expected);
    }
}

TEST(PlanControl, ScrollLockDrivesControlModeAsTheTableSays) {
    struct row {
        const char* name;
        bool scroll_lock_on;
        control_flags before;
        control_notice notice;
        control_flags after;
    };
    const row rows[] = {
        {"off, never on", false, {false, false}, control_notice::none, {false, true}},
        {"off, release seen", false, {false, true}, control_notice::none, {false, true}},
        {"off ends control mode", false, {true, true}, control_notice::control_off, {false, true}},
        {"on since before the first connection", true, {false, false}, control_notice::none, {false, false}},
        {"on after a release starts control mode", true, {false, true}, control_notice::control_on, {true, true}},
        {"on in control mode stays quiet", true, {true, true}, control_notice::none, {true, true}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        control_step step = plan_control(r.before, r.scroll_lock_on);
        EXPECT_EQ(step.notice, r.notice);
        EXPECT_EQ(step.after, r.after);
    }
}

} // namespace
} // namespace plv_duskward
