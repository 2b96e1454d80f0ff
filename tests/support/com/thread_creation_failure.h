#pragma once
// Stands for a system out of threads: the next thread creation (_beginthreadex or
// CreateThread) in this process fails with the given Win32 code; 0 cancels a pending failure.
// It works through the runtime's replaceable thread launcher, so nothing of it is shipped.

#include "platform/win32/win_types.h"

namespace com {

void fail_next_thread_creation(DWORD win32_code);

} // namespace com
