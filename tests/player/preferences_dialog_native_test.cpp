#include "player/preferences.h"

#include <gtest/gtest.h>

#include <string>

#include "player/resource.h"
#include "player/settings.h"
#include "testing/standin/dialog_control.h"

// The page as a user sees it, on the stand-in's dialog manager: every keystroke and click reaches
// the dialog procedure with the notification that Windows sends.

namespace {

using namespace plv_duskward;
using standin::control_kind;

class PreferencesDialog : public ::testing::Test {
protected:
    void SetUp() override {
        reset_settings_to_defaults();
        // clang-format off
        standin::define_dialog(IDD_PREFERENCES, {
            {IDC_TRACK_CHANGE_FORMAT, control_kind::edit}, {IDC_TRACK_CHANGE_ENABLED, control_kind::check_box},
            {IDC_PAUSE_FORMAT, control_kind::edit},        {IDC_PAUSE_ENABLED, control_kind::check_box},
            {IDC_STOP_ENABLED, control_kind::check_box},   {IDC_STOP_FORMAT, control_kind::edit},
            {IDC_SEEK_ENABLED, control_kind::check_box},   {IDC_SEEK_FORMAT, control_kind::edit},
            {-1, control_kind::label},                     {IDC_IDLE_DELAY, control_kind::edit},
            {IDC_CONTROL_DELAY, control_kind::edit},       {IDC_VOLUME_ENABLED, control_kind::check_box},
            {IDC_VOLUME_FORMAT, control_kind::edit},       {IDC_SUSPEND_INPUT, control_kind::check_box},
        });
        // clang-format on
    }
    void TearDown() override {
        if (dialog != nullptr) standin::destroy_dialog(dialog);
        reset_settings_to_defaults();
    }
    void open() {
        dialog = page.make_window(nullptr);
        ASSERT_NE(dialog, nullptr);
    }

    service_impl_single_t<preferences> page;
    HWND dialog = nullptr;
};

TEST_F(PreferencesDialog, ShowsEverySettingAndOpeningChangesNone) {
    cfg_suspend_input = false;
    cfg_pause_enabled = false;
    cfg_idle_delay = -5; // from a stored configuration; the field shows it unsigned
    cfg_control_delay = 0;
    cfg_seek_format.assign("sp\xC3\xBCl %time%");
    open();

    EXPECT_FALSE(standin::is_checked(dialog, IDC_SUSPEND_INPUT));
    EXPECT_FALSE(standin::is_checked(dialog, IDC_PAUSE_ENABLED));
    EXPECT_TRUE(standin::is_checked(dialog, IDC_TRACK_CHANGE_ENABLED));
    EXPECT_EQ(standin::control_text(dialog, IDC_IDLE_DELAY), L"4294967291");
    EXPECT_EQ(standin::control_text(dialog, IDC_CONTROL_DELAY), L"0");
    EXPECT_EQ(standin::control_text(dialog, IDC_TRACK_CHANGE_FORMAT), L"%artist%: %title%");
    EXPECT_EQ(standin::control_text(dialog, IDC_SEEK_FORMAT), L"sp\u00FCl %time%");
    EXPECT_EQ(standin::control_text(dialog, IDC_VOLUME_FORMAT), L"volume %volume% dB");

    EXPECT_EQ(cfg_idle_delay.get(), -5);
    EXPECT_EQ(cfg_control_delay.get(), 0);
    EXPECT_EQ(cfg_seek_format.view(), "sp\xC3\xBCl %time%");
    EXPECT_FALSE(cfg_suspend_input.get());
}

TEST_F(PreferencesDialog, EveryKeystrokeInATextFieldReachesItsSetting) {
    open();
    standin::press_backspace(dialog, IDC_PAUSE_FORMAT, 5);
    EXPECT_EQ(cfg_pause_format.view(), "");
    std::string expected;
    for (wchar_t key : std::wstring(L"h\u00E4lt")) {
        standin::type_text(dialog, IDC_PAUSE_FORMAT, std::wstring(1, key));
        expected = key == L'\u00E4' ? expected + "\xC3\xA4" : expected + static_cast<char>(key);
        EXPECT_EQ(cfg_pause_format.view(), expected);
    }
    struct Field {
        int id;
        cfg_string& setting;
    };
    for (Field field :
        {Field{IDC_TRACK_CHANGE_FORMAT, cfg_track_change_format}, Field{IDC_STOP_FORMAT, cfg_stop_format},
            Field{IDC_SEEK_FORMAT, cfg_seek_format}, Field{IDC_VOLUME_FORMAT, cfg_volume_format}}) {
        SCOPED_TRACE(field.id);
        standin::paste_text(dialog, field.id, L"x");
        EXPECT_EQ(field.setting.view(), "x");
    }
}

TEST_F(PreferencesDialog, LongTextsReachTheirSettingWhole) {
    open();
    for (std::size_t length : {255u, 256u, 1000u}) {
        SCOPED_TRACE(length);
        standin::paste_text(dialog, IDC_VOLUME_FORMAT, std::wstring(length, L'\u00E9'));
        std::string expected;
        for (std::size_t i = 0; i < length; ++i) expected += "\xC3\xA9";
        EXPECT_EQ(cfg_volume_format.view(), expected);
    }
}

TEST_F(PreferencesDialog, DeletingTheDigitsOfADelayLeavesTheLastNumberItHeld) {
    open();
    standin::press_backspace(dialog, IDC_IDLE_DELAY, 4);
    EXPECT_EQ(standin::control_text(dialog, IDC_IDLE_DELAY), L"");
    EXPECT_EQ(cfg_idle_delay.get(), 2);
    standin::type_text(dialog, IDC_CONTROL_DELAY, L"5");
    EXPECT_EQ(cfg_control_delay.get(), 10005);
}

TEST_F(PreferencesDialog, DelayFieldStoresWhatFitsAndIgnoresTheRest) {
    struct Case {
        const wchar_t* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {L"0", 0},
        {L"250", 250},
        {L"2147483647", 2147483647},
        {L"2147483648", 2147483647},
        {L"4294967295", 2147483647},
        {L"4294967296", 1234}, // more than the field's number holds: unchanged
        {L"", 1234},
        {L"12ab", 1234},
        {L"-5", 1234},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        for (int id : {IDC_IDLE_DELAY, IDC_CONTROL_DELAY}) {
            cfg_int_t<int>& setting = id == IDC_IDLE_DELAY ? cfg_idle_delay : cfg_control_delay;
            setting = 1234;
            standin::paste_text(dialog, id, c.text);
            EXPECT_EQ(setting.get(), c.expected);
        }
    }
}

TEST_F(PreferencesDialog, ClickingACheckBoxSwitchesItsSettingAtOnce) {
    struct Box {
        int id;
        cfg_int_t<bool>& setting;
    };
    const Box boxes[] = {
        {IDC_SUSPEND_INPUT, cfg_suspend_input},
        {IDC_TRACK_CHANGE_ENABLED, cfg_track_change_enabled},
        {IDC_PAUSE_ENABLED, cfg_pause_enabled},
        {IDC_STOP_ENABLED, cfg_stop_enabled},
        {IDC_SEEK_ENABLED, cfg_seek_enabled},
        {IDC_VOLUME_ENABLED, cfg_volume_enabled},
    };
    open();
    for (const Box& box : boxes) {
        SCOPED_TRACE(box.id);
        standin::click(dialog, box.id);
        EXPECT_FALSE(box.setting.get());
        standin::click(dialog, box.id);
        EXPECT_TRUE(box.setting.get());
    }
}

TEST_F(PreferencesDialog, ResetLeavesAnOpenPageAsItWas) {
    open();
    standin::paste_text(dialog, IDC_STOP_FORMAT, L"halt");
    standin::click(dialog, IDC_STOP_ENABLED);
    page.reset_to_defaults();
    EXPECT_EQ(cfg_stop_format.view(), "stop");
    EXPECT_TRUE(cfg_stop_enabled.get());
    EXPECT_EQ(standin::control_text(dialog, IDC_STOP_FORMAT), L"halt");
    EXPECT_FALSE(standin::is_checked(dialog, IDC_STOP_ENABLED));
}

} // namespace
