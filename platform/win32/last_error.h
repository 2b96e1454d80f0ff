#pragma once
// The calling thread's last error code. One per thread and one per process: it lives in the
// platform_win32 shared library, so every module of the process sees the same value.

#include "platform/win32/win_types.h"

DWORD GetLastError();
void SetLastError(DWORD code);
