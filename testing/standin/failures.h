#pragma once
// Failure switches: a test makes a Win32 call of the stand-in fail with a chosen error until the
// switches are cleared. Safe to set from any thread.

#include <windows.h>

namespace standin {

enum class failing_call {
    create_file,
    write_file,
    open_process,
    get_module_file_name,
    query_full_process_image_name,
    create_mutex,
};

void fail_call(failing_call call, DWORD error);
// OpenProcess fails only when it asks for one of these rights: a game that refuses the full
// query and still grants the limited one.
void refuse_process_rights(DWORD rights, DWORD error);
// The call first waits this long on the clock (a disk on a stalled network share), then goes on
// or fails as the switches above say.
void delay_call(failing_call call, DWORD milliseconds);
// Clears the failures and the delays.
void clear_failures();

// For the stand-in itself: the error to fail with, or ERROR_SUCCESS to go on. `access` is the
// right asked for, where the call has one.
DWORD failure_for(failing_call call, DWORD access = 0);
// Waits out the call's delay, if it has one.
void wait_out_delay(failing_call call);

} // namespace standin
