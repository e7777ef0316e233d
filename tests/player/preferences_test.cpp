#include "player/preferences.h"

#include <gtest/gtest.h>

#include "frame/errors.h"
#include "frame/module_state.h"
#include "frame/scratch_string.h"
#include "host/standin/host_identity.h"
#include "host/standin/standin_host.h"
#include "player/settings.h"

namespace {

using plv_duskward::preferences;

class PreferencesPage : public ::testing::Test {
protected:
    void SetUp() override {
        registry.add(&identity);
        plv_duskward::set_host_services(&registry);
    }
    void TearDown() override {
        plv_duskward::set_host_services(nullptr);
        plv_duskward::reset_settings_to_defaults();
    }

    service_impl_single_t<preferences> page;
    standin_host::host_identity identity;
    standin_host::registry registry;
};

TEST_F(PreferencesPage, NamesItselfAndCanAlwaysReset) {
    EXPECT_STREQ(page.page_name(), "Duskward Link");
    EXPECT_TRUE(page.can_reset());
    // The host's tools page: under any other parent the page would vanish from the host's tree.
    const GUID host_tools_page = {0xcc97bce8, 0x4c50, 0x4843, {0xbb, 0x70, 0x27, 0xcc, 0x1c, 0x54, 0xb7, 0xc4}};
    EXPECT_EQ(page.parent_page_id(), host_tools_page);
    EXPECT_EQ(page.page_id(), service_impl_single_t<preferences>().page_id()) << "fixed, not made per object";
}

TEST_F(PreferencesPage, HelpAddressNamesHostIdentityPageIdAndName) {
    wex::scratch_string address("left over");
    ASSERT_TRUE(page.help_address(address));
    EXPECT_EQ(address.view(),
        "https://help.plavora.example/plavora/1.0/preferences/"
        "77437BFC-B6DC-4EB0-9FB6-85345B9422C2/Duskward Link");
    EXPECT_EQ(identity.references(), 1) << "only the registry's own reference is left";
}

TEST_F(PreferencesPage, HelpAddressWithoutHostIdentityFailsLeavingTheTextAlone) {
    registry.remove_all(host_identity::class_id);
    wex::scratch_string address("left over");
    EXPECT_THROW(page.help_address(address), exception_service_not_found);
    EXPECT_EQ(address.view(), "left over");
}

TEST_F(PreferencesPage, ResetPutsEveryDefaultBack) {
    using namespace plv_duskward;
    for (cfg_int_t<bool>* value : {&cfg_suspend_input, &cfg_track_change_enabled, &cfg_pause_enabled, &cfg_stop_enabled,
             &cfg_seek_enabled, &cfg_volume_enabled})
        *value = false;
    for (cfg_string* text :
        {&cfg_track_change_format, &cfg_pause_format, &cfg_stop_format, &cfg_seek_format, &cfg_volume_format})
        text->assign("changed");
    cfg_idle_delay = 0;
    cfg_control_delay = 0;

    page.reset_to_defaults();

    for (cfg_int_t<bool>* value : {&cfg_suspend_input, &cfg_track_change_enabled, &cfg_pause_enabled, &cfg_stop_enabled,
             &cfg_seek_enabled, &cfg_volume_enabled})
        EXPECT_TRUE(value->get());
    EXPECT_EQ(cfg_track_change_format.view(), "%artist%: %title%");
    EXPECT_EQ(cfg_pause_format.view(), "pause");
    EXPECT_EQ(cfg_stop_format.view(), "stop");
    EXPECT_EQ(cfg_seek_format.view(), "seek to %time%");
    EXPECT_EQ(cfg_volume_format.view(), "volume %volume% dB");
    EXPECT_EQ(cfg_idle_delay.get(), 2000);
    EXPECT_EQ(cfg_control_delay.get(), 1000);
}

} // namespace
