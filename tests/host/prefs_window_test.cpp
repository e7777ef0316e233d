#include "host/program/prefs_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "host/program/message_pump.h"

namespace {

// The least page there is: one static control as the page window.
class blank_page final : public preferences_page {
public:
    HWND make_window(HWND parent) override {
        return CreateWindowExW(
            0, L"STATIC", L"page", WS_CHILD, 0, 0, 100, 100, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    const char* page_name() override { return "blank"; }
    GUID page_id() override { return {}; }
    GUID parent_page_id() override { return {}; }
    bool can_reset() override { return false; }
    void reset_to_defaults() override {}
    bool help_address(wex::string_base&) override { return false; }
    std::int32_t add_ref() override { return 1; }
    std::int32_t release() override { return 1; }
    bool query(service_base*&, const GUID&) override { return false; }
};

TEST(PrefsWindow, ClosedWithItsOwnCloseBoxItOpensAgain) {
    blank_page page;
    plavora_host::prefs_window window;
    std::string error;
    ASSERT_TRUE(window.open(page, error)) << error;

    HWND frame = FindWindowW(L"PlavoraPreferences", nullptr);
    ASSERT_NE(frame, nullptr);
    SendMessageW(frame, WM_CLOSE, 0, 0); // what the close box sends
    plavora_host::pump_window_messages();

    EXPECT_FALSE(window.is_open());
    EXPECT_TRUE(window.open(page, error)) << error;
    EXPECT_TRUE(window.is_open());
    window.close();
    EXPECT_EQ(FindWindowW(L"PlavoraPreferences", nullptr), nullptr);
}

} // namespace
