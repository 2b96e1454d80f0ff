#pragma once
// The seam between the collection engine and the counter collectors. The engine builds its
// two tables from a back end in its constructor and asks it for the LDAP bind that decides
// between the tables, for Exchange 5.5 organisation collectors and for the network's domain
// list. The real collectors register one back end as the module's default; until one is
// registered the built-in back end has none: every bind fails, the tables are empty (counts
// read -1) and the domain list is an empty variant.

#include "collector/collector.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"

#include <map>
#include <memory>
#include <string>

using collector_table = std::map<oxcOstrelCounter, std::shared_ptr<collector>>;

// One Exchange 5.5 server's collector, made afresh for each entry and bound to that
// server's searcher.
class exchange5_counter : public collector {
public:
    virtual ~exchange5_counter() = default;
    // The organisation's name, empty when there is none; a failing lookup appends its
    // description to `error`.
    virtual std::u16string GetOrganizationName(const std::u16string& server, std::u16string& error) = 0;
};

class collector_backend {
public:
    virtual ~collector_backend() = default;

    // The tables for domains that do not answer LDAP and for those that do. One collector
    // object may serve several keys.
    virtual collector_table make_netapi_collectors() = 0;
    virtual collector_table make_ad_collectors() = 0;

    // Binds the directory searcher of `name`; the caller owns the one reference returned.
    // Null after appending a line to `error`.
    virtual IUnknown* connect(const std::u16string& name, std::u16string& error) = 0;
    // Hands an entry's searcher to one collector of the LDAP table (it keeps its own reference).
    virtual void init(collector& ad_collector, IUnknown* searcher) = 0;

    virtual std::unique_ptr<exchange5_counter> make_exchange5_collector(IUnknown* searcher) = 0;

    // 0 with `domains` filled (a string array, or an empty variant when the network shows
    // none), or the positive Win32 code of the failure after setting the thread's COM error
    // information.
    virtual DWORD enumerate_domains(VARIANT* domains) = 0;
};

// The back end that has no collectors: what the module uses until real ones are registered.
std::shared_ptr<collector_backend> make_empty_collector_backend();

// The back end that new engines use. The real collectors call set_default_collector_backend
// once when the module is loaded; null restores the empty back end.
std::shared_ptr<collector_backend> default_collector_backend();
void set_default_collector_backend(std::shared_ptr<collector_backend> backend);

// Test and back-end hook of the module: a test resolves it with dlsym on the very module that
// CoCreateInstance loaded and installs its fake back end for the engines created afterwards.
// The back end is not owned and must outlive those engines; null restores the empty one.
extern "C" [[gnu::visibility("default")]] void OstrelCollector_InstallBackendForTesting(collector_backend* backend);
