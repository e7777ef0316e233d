#include <memory>

#include "testing/standin/clock_wait.h"
#include "testing/standin/handle_table.h"

namespace standin {
namespace {

class event_object final : public handle_object {
public:
    event_object(bool manual_reset, bool signalled) : manual_reset_(manual_reset), signalled_(signalled) {}

    DWORD wait(DWORD milliseconds) override {
        bool acquired = clock_wait(
            [this] {
                if (!signalled_) return false;
                if (!manual_reset_) signalled_ = false;
                return true;
            },
            milliseconds);
        return acquired ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    }

    void set(bool signalled) {
        clock_change([&] { signalled_ = signalled; });
    }

private:
    const bool manual_reset_;
    bool signalled_; // under the clock's lock
};

BOOL set_event_state(HANDLE event, bool signalled) {
    auto object = lookup_handle_as<event_object>(event);
    if (!object) return FALSE;
    object->set(signalled);
    return TRUE;
}

} // namespace

} // namespace standin

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manual_reset, BOOL initial_state, LPCWSTR name) {
    if (name != nullptr) { // named events are shared between processes; the stand-in has one
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return standin::register_handle(
        std::make_shared<standin::event_object>(manual_reset != FALSE, initial_state != FALSE));
}

BOOL SetEvent(HANDLE event) { return standin::set_event_state(event, true); }

BOOL ResetEvent(HANDLE event) { return standin::set_event_state(event, false); }
