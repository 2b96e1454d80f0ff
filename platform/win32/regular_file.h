#pragma once
// Files that the system reads as data or loads as code are regular files only: opening a FIFO
// for reading waits for a writer for ever, and a device or a socket is nobody's registry or
// module. The check opens without blocking and asks the open file what it is.

#include <string>

namespace win32 {

// A descriptor open for reading (O_CLOEXEC) on `path` when it is a regular file; -1 otherwise,
// with errno set (ENOENT when there is nothing, EINVAL when it is not a regular file).
int open_regular_file(const std::string& path);

// True when `path` names a regular file (symbolic links followed).
bool is_regular_file(const std::string& path);

} // namespace win32
