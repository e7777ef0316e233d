#include "player/preferences.h"

#include "frame/guid_text.h"
#include "frame/host_lookup.h"
#include "frame/module_state.h"
#include "player/resource.h"
#include "player/settings.h"

namespace plv_duskward {
namespace {

constexpr const char* name = "Duskward Link";
constexpr GUID own_page_id = {0x77437bfc, 0xb6dc, 0x4eb0, {0x9f, 0xb6, 0x85, 0x34, 0x5b, 0x94, 0x22, 0xc2}};
// The host's page of its tools' settings, under which the page is listed.
constexpr GUID host_tools_page_id = {0xcc97bce8, 0x4c50, 0x4843, {0xbb, 0x70, 0x27, 0xcc, 0x1c, 0x54, 0xb7, 0xc4}};
constexpr const char* help_site = "https://help.plavora.example/";

} // namespace

HWND preferences::make_window(HWND parent) {
    return CreateDialogParamW(
        module_handle(), MAKEINTRESOURCEW(IDD_PREFERENCES), parent, preferences_dialog_procedure, 0);
}

const char* preferences::page_name() { return name; }

GUID preferences::page_id() { return own_page_id; }

GUID preferences::parent_page_id() { return host_tools_page_id; }

bool preferences::can_reset() { return true; }

void preferences::reset_to_defaults() { reset_settings_to_defaults(); }

bool preferences::help_address(wex::string_base& out) {
    const wex::text_buffer_64 id = guid_to_text(page_id());
    // The identity text is the host's and stays valid after the service is released.
    const char* identity = get_single_service<host_identity>()->get_identity_text();
    out.assign("");
    out.append(help_site);
    out.append(identity);
    out.append("/preferences/");
    out.append(id.get_text());
    out.append("/");
    out.append(page_name());
    return true;
}

} // namespace plv_duskward
