#pragma once
// Credentials for the management calls of one thread: while they are set, the thread's calls
// authenticate with them (Kerberos, else NTLM in a signed session: the password itself is never
// sent) instead of the process's own credentials. libnetapi keeps one context and its
// connections for the whole process, so the credentials of the first call are those of every
// call: a call with other credentials fails with ERROR_SESSION_CREDENTIAL_CONFLICT (1219),
// which the controller lookup alone (it authenticates nobody) is spared.

#include <optional>
#include <string>

namespace netapi {

struct user_credentials {
    std::string user;     // UTF-8, as libnetapi takes it: "user", "user@REALM" or "DOMAIN\user"
    std::string password; // UTF-8

    bool operator==(const user_credentials&) const = default;
};

// Sets (or with std::nullopt clears) the calling thread's credentials.
void set_thread_credentials(std::optional<user_credentials> credentials);

// The calling thread's credentials; null when it uses the process's own.
const user_credentials* thread_credentials();

} // namespace netapi
