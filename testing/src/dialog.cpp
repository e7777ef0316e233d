#include "testing/standin/dialog_control.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>

// The dialog manager: one table of templates and one of open dialogs. The lock is never held
// while a dialog procedure runs, since the procedure calls back into the functions here.

namespace standin {
namespace {

struct control_state {
    control_kind kind;
    HWND handle;
    std::wstring text;
    bool checked = false;
};

struct dialog_state {
    DLGPROC procedure;
    std::map<int, control_state> controls;
};

struct manager {
    std::mutex lock;
    std::map<WORD, std::vector<control_template>> templates;
    std::map<HWND, dialog_state> dialogs;
    std::map<HWND, std::pair<HWND, int>> control_owners; // control → dialog, id
    std::uintptr_t next_handle = 0x40000000;             // apart from the desktop's windows
};

manager& the_manager() {
    static manager instance;
    return instance;
}

HWND new_handle(manager& m) {
    HWND handle = reinterpret_cast<HWND>(m.next_handle);
    m.next_handle += 0x10;
    return handle;
}

// With the lock held.
control_state* find_control(manager& m, HWND dialog, int control_id) {
    auto found = m.dialogs.find(dialog);
    if (found == m.dialogs.end()) return nullptr;
    auto control = found->second.controls.find(control_id);
    return control == found->second.controls.end() ? nullptr : &control->second;
}

control_state& existing_control(manager& m, HWND dialog, int control_id) {
    control_state* control = find_control(m, dialog, control_id);
    if (control == nullptr) throw std::logic_error("standin: the dialog has no such control");
    return *control;
}

DLGPROC procedure_of(HWND dialog) {
    manager& m = the_manager();
    std::lock_guard<std::mutex> guard(m.lock);
    auto found = m.dialogs.find(dialog);
    return found == m.dialogs.end() ? nullptr : found->second.procedure;
}

void notify(HWND dialog, int control_id, UINT code) {
    HWND control = GetDlgItem(dialog, control_id);
    if (DLGPROC procedure = procedure_of(dialog))
        procedure(dialog, WM_COMMAND, MAKEWPARAM(control_id, code), reinterpret_cast<LPARAM>(control));
}

// Changes an edit control's text; false for a control that does not exist.
bool change_text(HWND dialog, int control_id, std::wstring text) {
    manager& m = the_manager();
    bool is_edit = false;
    {
        std::lock_guard<std::mutex> guard(m.lock);
        control_state* control = find_control(m, dialog, control_id);
        if (control == nullptr) return false;
        control->text = std::move(text);
        is_edit = control->kind == control_kind::edit;
    }
    if (is_edit) {
        notify(dialog, control_id, EN_UPDATE);
        notify(dialog, control_id, EN_CHANGE);
    }
    return true;
}

std::optional<std::uint64_t> parse_number(const std::wstring& text, bool is_signed, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    negative = is_signed && i < text.size() && text[i] == L'-';
    if (negative) ++i;
    const std::size_t first_digit = i;
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - L'0');
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    if (i == first_digit) return std::nullopt;
    while (i < text.size() && text[i] == L' ') ++i;
    if (i != text.size()) return std::nullopt;
    return value;
}

std::wstring text_of(HWND dialog, int control_id, bool& found) {
    manager& m = the_manager();
    std::lock_guard<std::mutex> guard(m.lock);
    control_state* control = find_control(m, dialog, control_id);
    found = control != nullptr;
    return found ? control->text : std::wstring();
}

LRESULT send_to_control(HWND control, UINT message, WPARAM wparam) {
    manager& m = the_manager();
    HWND dialog = nullptr;
    int id = 0;
    {
        std::lock_guard<std::mutex> guard(m.lock);
        auto owner = m.control_owners.find(control);
        if (owner == m.control_owners.end()) return 0;
        std::tie(dialog, id) = owner->second;
        control_state& state = existing_control(m, dialog, id);
        if (message == BM_GETCHECK) return state.checked ? BST_CHECKED : BST_UNCHECKED;
        if (message == BM_SETCHECK) state.checked = wparam == BST_CHECKED;
        if (message != BM_CLICK || state.kind != control_kind::check_box) return 0;
        state.checked = !state.checked;
    }
    notify(dialog, id, BN_CLICKED);
    return 0;
}

} // namespace

void define_dialog(WORD resource_id, std::vector<control_template> controls) {
    manager& m = the_manager();
    std::lock_guard<std::mutex> guard(m.lock);
    m.templates[resource_id] = std::move(controls);
}

void type_text(HWND dialog, int control_id, const std::wstring& typed) {
    for (wchar_t unit : typed) change_text(dialog, control_id, control_text(dialog, control_id) + unit);
}

void press_backspace(HWND dialog, int control_id, int count) {
    for (int i = 0; i < count; ++i) {
        std::wstring text = control_text(dialog, control_id);
        if (text.empty()) return; // Windows beeps; the text does not change, nothing is sent
        text.pop_back();
        change_text(dialog, control_id, std::move(text));
    }
}

void paste_text(HWND dialog, int control_id, const std::wstring& text) {
    control_text(dialog, control_id); // only to refuse a control that does not exist
    change_text(dialog, control_id, text);
}

void click(HWND dialog, int control_id) { SendDlgItemMessageW(dialog, control_id, BM_CLICK, 0, 0); }

std::wstring control_text(HWND dialog, int control_id) {
    manager& m = the_manager();
    std::lock_guard<std::mutex> guard(m.lock);
    return existing_control(m, dialog, control_id).text;
}

bool is_checked(HWND dialog, int control_id) {
    manager& m = the_manager();
    std::lock_guard<std::mutex> guard(m.lock);
    return existing_control(m, dialog, control_id).checked;
}

void destroy_dialog(HWND dialog) {
    manager& m = the_manager();
    std::lock_guard<std::mutex> guard(m.lock);
    auto found = m.dialogs.find(dialog);
    if (found == m.dialogs.end()) return;
    for (auto& [id, control] : found->second.controls) m.control_owners.erase(control.handle);
    m.dialogs.erase(found);
}

std::size_t open_dialog_count() {
    manager& m = the_manager();
    std::lock_guard<std::mutex> guard(m.lock);
    return m.dialogs.size();
}

} // namespace standin

using namespace standin;

HWND CreateDialogParamW(HINSTANCE, LPCWSTR template_name, HWND, DLGPROC procedure, LPARAM init_param) {
    manager& m = the_manager();
    HWND dialog = nullptr;
    {
        std::lock_guard<std::mutex> guard(m.lock);
        const auto resource_id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(template_name));
        auto found = m.templates.find(resource_id);
        if (found == m.templates.end() || procedure == nullptr) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        dialog = new_handle(m);
        dialog_state& state = m.dialogs[dialog];
        state.procedure = procedure;
        for (const control_template& control : found->second) {
            HWND handle = new_handle(m);
            state.controls[control.id] = control_state{control.kind, handle, {}, false};
            m.control_owners[handle] = {dialog, control.id};
        }
    }
    procedure(dialog, WM_INITDIALOG, 0, init_param);
    return dialog;
}

HWND GetDlgItem(HWND dialog, int control_id) {
    manager& m = the_manager();
    std::lock_guard<std::mutex> guard(m.lock);
    control_state* control = find_control(m, dialog, control_id);
    if (control == nullptr) {
        SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
        return nullptr;
    }
    return control->handle;
}

BOOL SetDlgItemTextW(HWND dialog, int control_id, LPCWSTR text) {
    if (!change_text(dialog, control_id, text != nullptr ? std::wstring(text) : std::wstring())) {
        SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

UINT GetDlgItemTextW(HWND dialog, int control_id, LPWSTR buffer, int size) {
    bool found = false;
    std::wstring text = text_of(dialog, control_id, found);
    if (buffer == nullptr || size <= 0) return 0;
    if (!found) SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
    text.copy(buffer, count);
    buffer[count] = 0;
    return static_cast<UINT>(count);
}

BOOL SetDlgItemInt(HWND dialog, int control_id, UINT value, BOOL is_signed) {
    std::wstring text = is_signed ? std::to_wstring(static_cast<INT>(value)) : std::to_wstring(value);
    return SetDlgItemTextW(dialog, control_id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int control_id, BOOL* translated, BOOL is_signed) {
    if (translated != nullptr) *translated = FALSE;
    bool found = false;
    const std::wstring text = text_of(dialog, control_id, found);
    bool negative = false;
    std::optional<std::uint64_t> value = parse_number(text, is_signed != FALSE, negative);
    if (!found || !value) return 0;
    if (is_signed && *value > (negative ? 0x80000000u : 0x7FFFFFFFu)) return 0;
    if (translated != nullptr) *translated = TRUE;
    const auto bits = static_cast<std::uint32_t>(*value);
    return negative ? 0u - bits : bits;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (DLGPROC procedure = procedure_of(window)) return procedure(window, message, wparam, lparam);
    return send_to_control(window, message, wparam);
}

LRESULT SendDlgItemMessageW(HWND dialog, int control_id, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND control = GetDlgItem(dialog, control_id);
    return control == nullptr ? 0 : SendMessageW(control, message, wparam, lparam);
}
