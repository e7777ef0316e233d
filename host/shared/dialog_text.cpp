#include <string>
#include <vector>

#include "frame/host_shared.h"
#include "host/shared/utf.h"

// Dialog texts for the player's components, which keep their texts in UTF-8 while the controls
// hold UTF-16.

BOOL uGetDlgItemText(HWND dialog, UINT control_id, wex::string_base& out) {
    const int id = static_cast<int>(control_id);
    if (GetDlgItem(dialog, id) == nullptr) return FALSE;
    // GetDlgItemTextW says nothing about a text that did not fit, so a text that fills the
    // buffer is read again with twice the room.
    std::vector<WCHAR> buffer(256);
    UINT length = 0;
    for (;;) {
        length = GetDlgItemTextW(dialog, id, buffer.data(), static_cast<int>(buffer.size()));
        if (length + 1 < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    const std::string text = plavora_shared::utf16_to_utf8(buffer.data(), length);
    out.assign(text.c_str(), text.size());
    return TRUE;
}

BOOL uSetDlgItemText(HWND dialog, UINT control_id, const char* text) {
    const std::wstring wide =
        text != nullptr ? plavora_shared::utf8_to_utf16(text, std::char_traits<char>::length(text)) : std::wstring();
    return SetDlgItemTextW(dialog, static_cast<int>(control_id), wide.c_str());
}
