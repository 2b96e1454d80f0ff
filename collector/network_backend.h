#pragma once
// What the collection engine counts over for a name that does not answer an LDAP bind: the
// network-management collectors, and the network's domain list. The module makes one when it
// is loaded and hands it to every engine; tests hand in their own.

#include "collector/collector.h"
#include "platform/com/variant.h"

#include <map>
#include <memory>
#include <string>

using collector_table = std::map<oxcOstrelCounter, std::shared_ptr<collector>>;

// While one is alive, the management calls of the thread that asked for it use the
// credentials it was made with.
class network_credentials_scope {
public:
    virtual ~network_credentials_scope() = default;
};

class network_backend {
public:
    virtual ~network_backend() = default;

    // The table for names that do not answer the bind: one collector object per kind, shared
    // by its keys. The collectors are given the host alone, never a whole host/user/password.
    virtual collector_table make_netapi_collectors() = 0;

    // For an entry that carries credentials: the calling thread's management calls use them
    // (and never the caller's own) until the scope ends.
    virtual std::unique_ptr<network_credentials_scope> use_credentials(const std::u16string& user,
                                                                       const std::u16string& password) = 0;

    // 0 with `domains` filled (a string array, or an empty variant when the network shows
    // none), or the positive Win32 code of the failure after setting the thread's COM error
    // information.
    virtual DWORD enumerate_domains(VARIANT* domains) = 0;
};
