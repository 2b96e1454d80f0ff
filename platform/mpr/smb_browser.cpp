#include "platform/mpr/smb_browser.h"

#include "platform/netapi/samba_process_globals.h"

#include <libsmbclient.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace mpr {

namespace {

std::mutex browse_mutex;

// No password is ever asked for: an empty answer makes the session anonymous where Kerberos
// does not carry it.
void no_credentials(const char*, const char*, char* workgroup, int, char* user, int user_size, char* password,
                    int password_size)
{
    (void)workgroup;
    if (user_size > 0)
        user[0] = '\0';
    if (password_size > 0)
        password[0] = '\0';
}

struct context_guard {
    SMBCCTX* context = nullptr;
    ~context_guard()
    {
        if (context)
            smbc_free_context(context, 1);
    }
};

} // namespace

int browse(const std::string& url, std::vector<browse_entry>& entries)
{
    entries.clear();
    std::lock_guard lock(browse_mutex);
    context_guard guard;
    {
        netapi::samba_process_globals globals; // the library's first use keeps a few for good
        guard.context = smbc_new_context();
    }
    if (!guard.context)
        return errno ? errno : ENOMEM;
    smbc_setDebug(guard.context, 0);
    smbc_setFunctionAuthData(guard.context, no_credentials);
    smbc_setOptionUseKerberos(guard.context, 1);
    smbc_setOptionFallbackAfterKerberos(guard.context, 1);
    smbc_setOptionUseCCache(guard.context, 1);
    if (!smbc_init_context(guard.context)) {
        int error = errno ? errno : EINVAL;
        smbc_free_context(guard.context, 0);
        guard.context = nullptr;
        return error;
    }
    errno = 0;
    SMBCFILE* dir = smbc_getFunctionOpendir(guard.context)(guard.context, url.c_str());
    if (!dir)
        return errno ? errno : EIO;
    auto readdir = smbc_getFunctionReaddir(guard.context);
    while (struct smbc_dirent* entry = readdir(guard.context, dir)) {
        if (entry->smbc_type != SMBC_WORKGROUP && entry->smbc_type != SMBC_SERVER)
            continue;
        entries.push_back({entry->smbc_type, entry->name, entry->comment ? entry->comment : ""});
    }
    smbc_getFunctionClosedir(guard.context)(guard.context, dir);
    return 0;
}

} // namespace mpr
