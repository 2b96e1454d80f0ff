#include "platform/netapi/ticket_cache.h"

#include <dlfcn.h>

#include <cstdint>

namespace netapi {

namespace {

// The few entry points of the system Kerberos library used here, looked up at run time:
// the library's development headers are not needed to read whether a cache names a principal.
using krb5_error_code = std::int32_t;
using init_context_fn = krb5_error_code (*)(void** context);
using free_context_fn = void (*)(void* context);
using cc_default_fn = krb5_error_code (*)(void* context, void** cache);
using cc_get_principal_fn = krb5_error_code (*)(void* context, void* cache, void** principal);
using free_principal_fn = void (*)(void* context, void* principal);
using cc_close_fn = krb5_error_code (*)(void* context, void* cache);

template <class F>
F symbol(void* library, const char* name)
{
    return reinterpret_cast<F>(dlsym(library, name));
}

} // namespace

bool has_ticket_cache()
{
    void* library = dlopen("libkrb5.so.3", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    auto init_context = symbol<init_context_fn>(library, "krb5_init_context");
    auto free_context = symbol<free_context_fn>(library, "krb5_free_context");
    auto cc_default = symbol<cc_default_fn>(library, "krb5_cc_default");
    auto cc_get_principal = symbol<cc_get_principal_fn>(library, "krb5_cc_get_principal");
    auto free_principal = symbol<free_principal_fn>(library, "krb5_free_principal");
    auto cc_close = symbol<cc_close_fn>(library, "krb5_cc_close");
    bool found = false;
    void* context = nullptr;
    if (init_context && free_context && cc_default && cc_get_principal && free_principal && cc_close &&
        init_context(&context) == 0) {
        void* cache = nullptr;
        if (cc_default(context, &cache) == 0) {
            void* principal = nullptr;
            if (cc_get_principal(context, cache, &principal) == 0) {
                found = true;
                free_principal(context, principal);
            }
            cc_close(context, cache);
        }
        free_context(context);
    }
    dlclose(library);
    return found;
}

} // namespace netapi
