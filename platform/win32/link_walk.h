#pragma once
// Following the symbolic links of a path the way the kernel does for this caller with
// fs.protected_symlinks on, whatever the system's own setting: a link in a sticky folder that
// anyone may write is followed only when it belongs to the caller or to the folder's owner
// (else a user could point root's save at any file by planting a link in /tmp), and more than
// 40 links are a loop (ELOOP). The walk goes folder by folder through descriptors, so what it
// checked is what is used: the caller acts on the last name inside the folder it found, with
// O_NOFOLLOW, and a link put there afterwards is refused rather than followed.
//
// The links of /proc (/dev/stdout is /proc/self/fd/1, whose text "pipe:[N]" names no path)
// are the kernel's own to follow: the walk hands each of them to the kernel and goes on from
// what it opened.

#include "platform/win32/unique_fd.h"

#include <string>

namespace win32 {

struct walked_path {
    unique_fd folder;        // O_PATH: the folder that holds `name`
    std::string name;        // the last name, no link (it may not exist yet); empty with `object`
    unique_fd object;        // O_PATH: what a link of /proc named, when the path ended in one
    std::string folder_text; // the folder as the walk reached it, for messages
};

// Walks `path` to its last name; false with the reason in `error` (the system's text, and for
// a refused link the link and why). A path that names a folder gives EISDIR's text.
bool walk_path(const std::string& path, walked_path& out, std::string& error);

} // namespace win32
