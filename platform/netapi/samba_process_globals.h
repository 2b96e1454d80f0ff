#pragma once
// Samba's client libraries (libnetapi, libsmbclient) keep a few allocations for the life of the
// process when they first initialise (the debug log's name, their own "log level" setting) and
// release them in no free function of theirs. They are Samba's, not leaks of ours: while one of
// these objects lives on a thread, the leak checker of a sanitizer build ignores what that
// thread allocates. Hold one around the libraries' initialisation calls only.

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace netapi {

class samba_process_globals {
public:
    samba_process_globals()
    {
#if defined(__SANITIZE_ADDRESS__)
        __lsan_disable();
#endif
    }
    ~samba_process_globals()
    {
#if defined(__SANITIZE_ADDRESS__)
        __lsan_enable();
#endif
    }
    samba_process_globals(const samba_process_globals&) = delete;
    samba_process_globals& operator=(const samba_process_globals&) = delete;
};

} // namespace netapi
