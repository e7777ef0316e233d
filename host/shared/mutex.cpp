#include <string>

#include "frame/host_shared.h"
#include "host/shared/utf.h"

HANDLE uCreateMutex(LPSECURITY_ATTRIBUTES attributes, BOOL initial_owner, const char* name) {
    if (name == nullptr) return CreateMutexW(attributes, initial_owner, nullptr);
    std::wstring wide = plavora_shared::utf8_to_utf16(name, std::char_traits<char>::length(name));
    return CreateMutexW(attributes, initial_owner, wide.c_str());
}
