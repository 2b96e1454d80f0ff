#pragma once
// The registry file's text form (UTF-8, one line per key and per value):
//
//   [HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32]
//   @ = sz "/usr/lib/ostrel/libOstrelCollector.so"
//   "ThreadingModel" = sz "Free"
//   "Flags" = dword 0x00000001
//   "Blob" = hex 3 0a0b0c
//
// `@` is the key's default value. Quoted texts escape \\ \" \r \n \t and other control
// characters as \xHH; in a key line's names '%', '\' and control characters are written %HH
// and a lone surrogate %uXXXX. Strings that would not survive UTF-8 unchanged, and every
// other type, are written as `hex <type>` with their exact bytes, so a round trip loses
// nothing.

#include "platform/win32/registry_tree.h"

#include <string>
#include <string_view>

namespace win32::registry_detail {

class registry_format {
public:
    static std::string write(const registry_tree& tree);
    // Replaces `tree` with the file's contents; false (tree unchanged) when the text is not a
    // registry file, with the failing line number in `error_line`.
    static bool read(std::string_view text, registry_tree& tree, std::size_t& error_line);
};

} // namespace win32::registry_detail
