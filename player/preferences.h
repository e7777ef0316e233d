#pragma once
// The page "Duskward Link" in the host's preferences, on which the user edits every setting. A
// change is written into its setting the moment the control reports it: there is no apply step.

#include <windows.h>

#include "frame/host_interfaces.h"

namespace plv_duskward {

class preferences : public preferences_page {
public:
    // A modeless child dialog, which the host owns and destroys; null when it cannot be made.
    HWND make_window(HWND parent) override;
    const char* page_name() override;
    GUID page_id() override;
    GUID parent_page_id() override;
    bool can_reset() override;
    // Writes the defaults into the settings only; an open page keeps showing what it showed.
    void reset_to_defaults() override;
    // The page's article on the host's help site, for the host's help button.
    bool help_address(wex::string_base& out) override;

protected:
    ~preferences() = default;
};

// The page's dialog procedure: fills the controls from the settings when the dialog is made and
// writes each change back at once. Returns FALSE for every message, so the dialog manager does
// the rest.
INT_PTR CALLBACK preferences_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace plv_duskward
