#include <cstdint>
#include <limits>

#include "frame/host_shared.h"
#include "player/preferences.h"
#include "player/resource.h"
#include "player/settings.h"

namespace plv_duskward {
namespace {

struct check_box {
    int id;
    cfg_int_t<bool>* setting;
};
struct text_field {
    int id;
    cfg_string* setting;
};
struct delay_field {
    int id;
    cfg_int_t<int>* setting;
};

// In the order in which the page is filled.
constexpr check_box suspend_box = {IDC_SUSPEND_INPUT, &cfg_suspend_input};
constexpr delay_field delay_fields[] = {
    {IDC_IDLE_DELAY, &cfg_idle_delay},
    {IDC_CONTROL_DELAY, &cfg_control_delay},
};
constexpr text_field text_fields[] = {
    {IDC_TRACK_CHANGE_FORMAT, &cfg_track_change_format},
    {IDC_PAUSE_FORMAT, &cfg_pause_format},
    {IDC_STOP_FORMAT, &cfg_stop_format},
    {IDC_SEEK_FORMAT, &cfg_seek_format},
    {IDC_VOLUME_FORMAT, &cfg_volume_format},
};
constexpr check_box event_boxes[] = {
    {IDC_TRACK_CHANGE_ENABLED, &cfg_track_change_enabled},
    {IDC_PAUSE_ENABLED, &cfg_pause_enabled},
    {IDC_STOP_ENABLED, &cfg_stop_enabled},
    {IDC_SEEK_ENABLED, &cfg_seek_enabled},
    {IDC_VOLUME_ENABLED, &cfg_volume_enabled},
};

void show(HWND dialog, const check_box& box) {
    SendDlgItemMessageW(dialog, box.id, BM_SETCHECK, box.setting->get() ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Filling a field makes it report an update, which stores the value just shown: harmless, since
// the stored value does not change.
void fill_controls(HWND dialog) {
    show(dialog, suspend_box);
    for (const delay_field& field : delay_fields)
        SetDlgItemInt(dialog, field.id, static_cast<UINT>(field.setting->get()), FALSE);
    for (const text_field& field : text_fields)
        uSetDlgItemText(dialog, static_cast<UINT>(field.id), field.setting->get_text());
    for (const check_box& box : event_boxes) show(dialog, box);
}

// The field holds digits that may go up to 4294967295; the setting holds a signed 32-bit delay.
// Values it cannot hold are stored as the largest it can. A field that shows exactly what the
// setting holds (a negative delay appears as its unsigned twin) changes nothing, so that merely
// opening the page never alters a setting.
void store_delay(HWND dialog, const delay_field& field) {
    BOOL translated = FALSE;
    const UINT typed = GetDlgItemInt(dialog, field.id, &translated, FALSE);
    if (!translated || typed == static_cast<UINT>(field.setting->get())) return;
    constexpr UINT largest = static_cast<UINT>(std::numeric_limits<std::int32_t>::max());
    field.setting->set(static_cast<std::int32_t>(typed > largest ? largest : typed));
}

void store_check(HWND dialog, const check_box& box) {
    box.setting->set(SendMessageW(GetDlgItem(dialog, box.id), BM_GETCHECK, 0, 0) == BST_CHECKED);
}

void on_command(HWND dialog, int control_id, UINT code) {
    if (code == EN_UPDATE) {
        for (const delay_field& field : delay_fields)
            if (field.id == control_id) store_delay(dialog, field);
        for (const text_field& field : text_fields)
            if (field.id == control_id) uGetDlgItemText(dialog, static_cast<UINT>(control_id), *field.setting);
    } else if (code == BN_CLICKED) {
        if (control_id == suspend_box.id) store_check(dialog, suspend_box);
        for (const check_box& box : event_boxes)
            if (box.id == control_id) store_check(dialog, box);
    }
}

} // namespace

INT_PTR CALLBACK preferences_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        fill_controls(dialog);
    } else if (message == WM_COMMAND) {
        on_command(dialog, LOWORD(wparam), HIWORD(wparam));
    }
    return FALSE;
}

} // namespace plv_duskward
