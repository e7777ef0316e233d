#pragma once
// The tests' side of the stand-in's dialogs: the templates that CreateDialogParamW builds from,
// and a user at the keyboard. Every change made here reaches the dialog procedure with the
// notification that Windows would send.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace standin {

enum class control_kind { edit, check_box, label };

struct control_template {
    int id;
    control_kind kind;
};

// Makes `resource_id` a dialog template of these controls (replacing an earlier definition).
void define_dialog(WORD resource_id, std::vector<control_template> controls);

// Texts are UTF-16 units, one per wchar_t.
// Types the units one at a time at the end of the field: one EN_UPDATE per keystroke.
void type_text(HWND dialog, int control_id, const std::wstring& typed);
// Deletes `count` units from the end, one EN_UPDATE per keystroke.
void press_backspace(HWND dialog, int control_id, int count = 1);
// Replaces the whole text at once, as pasting over a selection does: one EN_UPDATE.
void paste_text(HWND dialog, int control_id, const std::wstring& text);
// Toggles a check box and notifies BN_CLICKED.
void click(HWND dialog, int control_id);

std::wstring control_text(HWND dialog, int control_id);
bool is_checked(HWND dialog, int control_id);

// Destroys a dialog made by CreateDialogParamW (the host's job on Windows).
void destroy_dialog(HWND dialog);
std::size_t open_dialog_count();

} // namespace standin
