#pragma once
// What the collection engine counts over for a name that answers an LDAP bind: the bind
// itself, the directory collectors, and the collector of an Exchange 5.5 server. The module
// makes one when it is loaded and hands it to every engine; tests hand in their own.

#include "collector/collector.h"
#include "platform/ads/ads_interfaces.h"
#include "platform/com/atl/com_ptr.h"

#include <map>
#include <memory>
#include <string>

// A collector that counts below the directory searcher it was last given. The engine hands
// the one searcher of an entry to every directory collector it runs for that entry.
class directory_collector : public collector {
public:
    // Keeps `searcher` (a reference of its own) in place of the one held before.
    virtual void Init(IDirectorySearch* searcher) = 0;

protected:
    directory_collector() = default;
    directory_collector(const directory_collector&) = default;
    directory_collector& operator=(const directory_collector&) = default;
    ~directory_collector() = default;
};

using directory_collector_table = std::map<oxcOstrelCounter, std::shared_ptr<directory_collector>>;

// One Exchange 5.5 server's collector, made afresh for each entry and bound to that server's
// searcher.
class exchange5_counter : public collector {
public:
    virtual ~exchange5_counter() = default;
    // The organisation's name, empty when there is none; a failing lookup appends its
    // description to `error`.
    virtual std::u16string GetOrganizationName(const std::u16string& server, std::u16string& error) = 0;
};

// What the line of a failed bind says after the system's text of the failure: nothing more,
// or also the directory layer's own account of it (the centre that refused the password, the
// certificate that did not verify).
enum class bind_line { plain, with_reason };

class directory_backend {
public:
    virtual ~directory_backend() = default;

    // Binds the searcher of an entry (see platform/win32/entry_name.h). Null after appending the line
    // "error while connecting to LDAP server '<entry without its password>': <description>".
    virtual CComPtr<IDirectorySearch> connect(const std::u16string& name, std::u16string& error, bind_line line) = 0;

    // Whether the bind that connect() last failed on this thread ran out of time: a server
    // took the connection and then did not answer within the operation timeout.
    virtual bool bind_timed_out() const { return false; }

    // The table for names that answer the bind: one collector object per kind, shared by its
    // keys, made from the concrete type.
    virtual directory_collector_table make_ad_collectors() = 0;

    virtual std::unique_ptr<exchange5_counter> make_exchange5_collector(IDirectorySearch* searcher) = 0;
};
