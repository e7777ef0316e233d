#include "link/watcher_decisions.h"

namespace plv_duskward {

link_plan plan_link(bool was_connected, bool candidate_in_front) {
    link_plan plan;
    plan.close_file = was_connected && !candidate_in_front;
    plan.search = !candidate_in_front;
    plan.connect = !was_connected && candidate_in_front;
    return plan;
}

control_step plan_control(control_flags before, bool scroll_lock_on) {
    control_step step;
    if (!scroll_lock_on) {
        if (before.control) step.notice = control_notice::control_off;
        step.after = control_flags{false, true};
        return step;
    }
    if (!before.release_seen) {
        step.after = before;
        return step;
    }
    if (!before.control) step.notice = control_notice::control_on;
    step.after = control_flags{true, true};
    return step;
}

} // namespace plv_duskward
