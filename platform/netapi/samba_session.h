#pragma once
// The one libnetapi context of the process and the lock around it. libnetapi keeps a single
// context per process and is not thread-safe, so every call into it goes through here. Names
// and texts cross as UTF-8; the Windows-shaped calls convert them.

#include "platform/netapi/thread_credentials.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace netapi {

// One record of the display information or of a local-group list, whatever its level.
struct account_record {
    std::string name;
    std::string comment;
    std::string full_name;
    std::uint32_t flags = 0;
    std::uint32_t id = 0;
    std::uint32_t attributes = 0;
    std::uint32_t next_index = 0;
};

class samba_session {
public:
    static samba_session& instance();

    // A controller of the domain found by the domain-controller locator, as a flat name
    // without backslashes.
    std::uint32_t locate_controller(const std::string& domain, std::string& controller);

    // The controller of the domain as the named server's netlogon service reports it.
    std::uint32_t ask_controller(const std::string& server, const std::string& domain, std::string& controller);

    // One call of the display information (levels 1, 2, 3).
    std::uint32_t query_display(const std::string& server, std::uint32_t level, std::uint32_t index,
                                std::uint32_t requested, std::uint32_t prefmaxlen,
                                std::vector<account_record>& records);

    // The whole local-group list of the server (levels 0, 1). libnetapi's own resume point
    // repeats entries when it pages, so the list is always read whole and paged on our side.
    std::uint32_t local_groups(const std::string& server, std::uint32_t level, std::vector<account_record>& records);

    // Every server trust account (the domain's controllers) of the server's domain, paged
    // to the end; names without the trailing "$".
    std::uint32_t server_trust_accounts(const std::string& server, std::vector<std::string>& names);

    // Whether the calls use a Kerberos ticket cache (else an anonymous session).
    bool uses_ticket_cache();

    // The context is freed with the session, when the process ends (or the library is
    // unloaded): libnetapi's own allocations would otherwise outlive it as leaks.
    ~samba_session();
    samba_session(const samba_session&) = delete;
    samba_session& operator=(const samba_session&) = delete;

private:
    samba_session() = default;
    std::uint32_t open_locked(); // the context, made on first use; caller holds mutex_
    // 0 when the calling thread's credentials (thread_credentials.h; none: the process's own)
    // are those the context was made with, else ERROR_SESSION_CREDENTIAL_CONFLICT; caller
    // holds mutex_.
    std::uint32_t use_thread_credentials_locked();

    std::mutex mutex_;
    void* context_ = nullptr;
    bool ticket_cache_ = false;
    std::optional<user_credentials> applied_; // what the context was made with; none: the process's own
};

} // namespace netapi
