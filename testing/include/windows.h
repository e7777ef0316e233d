#pragma once
// Native stand-in for the Win32 API: declares only what the component, its stand-in host and the
// tests use, implemented in testing/src on top of POSIX and a scripted desktop. Written for this
// project; behaviour follows the documented Win32 contracts closely enough for the tests.

#include "standin/win_types.h"
#include "standin/win_files.h"
#include "standin/win_process.h"
#include "standin/win_sync.h"
#include "standin/win_event.h"
#include "standin/win_desktop.h"
#include "standin/win_keyboard.h"
#include "standin/win_threads.h"
#include "standin/win_text.h"
#include "standin/win_dialog.h"
