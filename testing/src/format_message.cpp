// The system's texts for the error codes that the stand-in gives, in the words Windows uses.

#include <string_view>

#include "standin/win_types.h"
#include "standin/win_files.h"
#include "standin/win_sync.h"

namespace {

struct system_text {
    DWORD code;
    std::wstring_view text;
};

constexpr system_text texts[] = {
    {ERROR_SUCCESS, L"The operation completed successfully.\r\n"},
    {ERROR_FILE_NOT_FOUND, L"The system cannot find the file specified.\r\n"},
    {ERROR_PATH_NOT_FOUND, L"The system cannot find the path specified.\r\n"},
    {ERROR_ACCESS_DENIED, L"Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, L"The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, L"Not enough memory resources are available to process this command.\r\n"},
    {ERROR_WRITE_FAULT, L"The system cannot write to the specified device.\r\n"},
    {ERROR_SHARING_VIOLATION, L"The process cannot access the file because it is being used by another process.\r\n"},
    {ERROR_HANDLE_DISK_FULL, L"The disk is full.\r\n"},
    {ERROR_FILE_EXISTS, L"The file exists.\r\n"},
    {ERROR_INVALID_PARAMETER, L"The parameter is incorrect.\r\n"},
    {ERROR_DISK_FULL, L"There is not enough space on the disk.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, L"The data area passed to a system call is too small.\r\n"},
    {ERROR_NEGATIVE_SEEK, L"An attempt was made to move the file pointer before the beginning of the file.\r\n"},
    {ERROR_ALREADY_EXISTS, L"Cannot create a file when that file already exists.\r\n"},
    {ERROR_FILENAME_EXCED_RANGE, L"The filename or extension is too long.\r\n"},
    {ERROR_NOT_OWNER, L"Attempt to release mutex not owned by caller.\r\n"},
    {ERROR_PARTIAL_COPY, L"Only part of a ReadProcessMemory or WriteProcessMemory request was completed.\r\n"},
    {ERROR_INVALID_WINDOW_HANDLE, L"Invalid window handle.\r\n"},
};

constexpr DWORD error_message_not_found = 317; // ERROR_MR_MID_NOT_FOUND

} // namespace

DWORD FormatMessageW(DWORD flags, LPCVOID, DWORD message_id, DWORD, LPWSTR buffer, DWORD size, void*) {
    if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (const system_text& entry : texts) {
        if (entry.code != message_id) continue;
        if (entry.text.size() + 1 > size) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        for (std::size_t i = 0; i < entry.text.size(); ++i) buffer[i] = entry.text[i];
        buffer[entry.text.size()] = 0;
        return static_cast<DWORD>(entry.text.size());
    }
    SetLastError(error_message_not_found);
    return 0;
}
