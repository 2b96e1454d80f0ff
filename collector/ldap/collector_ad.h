#pragma once
// The base of the LDAP collectors: it holds the entry's directory searcher (shared by every
// LDAP collector of one entry) and counts the objects a filter finds below it with one paged
// search of 100 rows a page, asking for "objectClass" alone and caching nothing, so the
// client holds one page at a time.

#include "collector/directory_backend.h"
#include "platform/ads/ads_interfaces.h"
#include "platform/com/atl/com_ptr.h"

#include <string>

class collector_ad : public directory_collector {
public:
    // Binds the searcher of a domain or server name (or host/user/password); the caller owns
    // the one reference returned. Null after appending "error while connecting to LDAP
    // server '<name>': <description>" to `error`, where the name is shown without its
    // password. `with_reason` adds the directory layer's own account of the failure to the
    // description (never the password).
    static IDirectorySearch* Connect(const std::u16string& name, std::u16string& error, bool with_reason = false);

    // Keeps `searcher` (a reference of its own) in place of the one held before.
    void Init(IDirectorySearch* searcher) override;
    // The searcher, borrowed.
    IDirectorySearch* Session() const { return m_searcher.p; }

    // Sets the five search preferences (page size, scope, attribute types only, caching, and
    // caching once more as the integer 96) in one call; its HRESULT.
    static HRESULT InitSearcher(IDirectorySearch* searcher, bool attrib_types_only, DWORD page_size, DWORD scope,
                                bool cache_results);

    // The number of objects `filter` finds in the subtree of the searcher's object. -1 after
    // a line "error processing LDAP query '<filter>': <description>" when the search fails,
    // at its start or part-way: a count cut short is no count.
    LONG CollectItemCount(const std::u16string& filter, std::u16string& error);

    // The system text of hr, else the directory provider's last error text (Win32 codes
    // only); always ending in one "\r\n" ("\r\n" alone when there is no text).
    static std::u16string GetErrorDescription(HRESULT hr);

protected:
    collector_ad() = default;
    collector_ad(const collector_ad&) = default;
    collector_ad& operator=(const collector_ad&) = default;
    ~collector_ad() = default;

    // Loads a text of the collector's string table (empty when it is missing).
    static std::u16string load_filter(UINT id);
    // The first value of a column of case-ignoring strings; null for any other column.
    static const WCHAR* first_string_value(const ADS_SEARCH_COLUMN& column);

private:
    CComPtr<IDirectorySearch> m_searcher;
};
