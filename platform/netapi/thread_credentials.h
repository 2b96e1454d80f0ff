#pragma once
// Credentials for the management calls of one thread: while they are set, every call the
// thread makes authenticates with them over Kerberos (the password only ever serves to obtain
// a ticket, it is never sent), instead of the process's own credentials.

#include <optional>
#include <string>

namespace netapi {

struct user_credentials {
    std::string user;      // UTF-8, as libnetapi takes it: "user", "user@REALM" or "DOMAIN\user"
    std::string password;  // UTF-8

    bool operator==(const user_credentials&) const = default;
};

// Sets (or with std::nullopt clears) the calling thread's credentials.
void set_thread_credentials(std::optional<user_credentials> credentials);

// The calling thread's credentials; null when it uses the process's own.
const user_credentials* thread_credentials();

}  // namespace netapi
