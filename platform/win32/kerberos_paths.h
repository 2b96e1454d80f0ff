#pragma once
// The files the system Kerberos library opens because the environment names them: the ticket
// cache of KRB5CCNAME (FILE:path, or a bare path) and the configuration files of KRB5_CONFIG.
// libkrb5 reads them as it finds them, so a FIFO there hangs it for ever and a device such as
// /dev/zero never ends; they are checked before the library is called.

#include <string>

namespace win32 {

// Empty when each such path names a regular file (or a folder, for KRB5_CONFIG) or nothing
// yet; otherwise why not, naming the variable and the path.
std::string kerberos_environment_problem();

} // namespace win32
