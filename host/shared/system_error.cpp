#include "frame/host_shared.h"
#include "host/shared/utf.h"

BOOL uFormatSystemErrorMessage(wex::string_base& out, DWORD code) {
    WCHAR buffer[1024] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
        static_cast<DWORD>(sizeof buffer / sizeof buffer[0]), nullptr);
    // The system ends its texts with a line break, which has no place inside a console line.
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
        --length;
    if (length == 0) {
        out.assign("");
        return FALSE;
    }
    std::string text = plavora_shared::utf16_to_utf8(buffer, length);
    out.assign(text.c_str(), text.size());
    return TRUE;
}
