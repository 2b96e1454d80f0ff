#pragma once
// A directory searcher that answers each filter from a script: how the search starts, how
// many rows it delivers and how the rows end. It isolates the count arithmetic of the LDAP
// collectors; the same paths run against slapd and the Samba DC in the server tests.

#include "platform/ads/ads_interfaces.h"
#include "platform/com/atl/com_object.h"
#include "platform/win32/win_errors.h"

#include <map>
#include <string>
#include <vector>

namespace ldap_collectors_test {

struct scripted_search {
    HRESULT execute = S_OK;          // result of ExecuteSearch
    int rows = 0;                    // rows delivered before the end
    HRESULT end = S_ADS_NOMORE_ROWS; // what GetNextRow returns after them
};

class scripted_searcher_object : public CComObjectRootEx<CComMultiThreadModel>, public IDirectorySearch {
public:
    BEGIN_COM_MAP(scripted_searcher_object)
    COM_INTERFACE_ENTRY(IDirectorySearch)
    END_COM_MAP()

    std::map<std::u16string, scripted_search> script; // a filter missing here finds nothing
    std::vector<std::u16string> filters;              // every filter searched, in order
    std::vector<std::vector<ADS_SEARCHPREF_INFO>> preferences;
    int open_handles = 0;

    HRESULT SetSearchPreference(PADS_SEARCHPREF_INFO prefs, DWORD count) override
    {
        preferences.emplace_back(prefs, prefs + count);
        return S_OK;
    }
    HRESULT ExecuteSearch(LPWSTR filter, LPWSTR*, DWORD, PADS_SEARCH_HANDLE handle) override
    {
        filters.emplace_back(filter);
        current = script.count(filter) != 0 ? script[filter] : scripted_search{};
        delivered = 0;
        if (FAILED(current.execute))
            return current.execute;
        ++open_handles;
        *handle = reinterpret_cast<ADS_SEARCH_HANDLE>(this);
        return S_OK;
    }
    HRESULT AbandonSearch(ADS_SEARCH_HANDLE) override { return S_OK; }
    HRESULT GetFirstRow(ADS_SEARCH_HANDLE) override { return E_NOTIMPL; }
    HRESULT GetNextRow(ADS_SEARCH_HANDLE) override
    {
        if (delivered < current.rows) {
            ++delivered;
            return S_OK;
        }
        return current.end;
    }
    HRESULT GetPreviousRow(ADS_SEARCH_HANDLE) override { return E_NOTIMPL; }
    HRESULT GetNextColumnName(ADS_SEARCH_HANDLE, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT GetColumn(ADS_SEARCH_HANDLE, LPWSTR, PADS_SEARCH_COLUMN) override { return E_ADS_COLUMN_NOT_SET; }
    HRESULT FreeColumn(PADS_SEARCH_COLUMN) override { return S_OK; }
    HRESULT CloseSearchHandle(ADS_SEARCH_HANDLE) override
    {
        --open_handles;
        return S_OK;
    }

private:
    scripted_search current;
    int delivered = 0;
};

// Lives on the test's stack.
using scripted_searcher = CComObjectStackEx<scripted_searcher_object>;

} // namespace ldap_collectors_test
