#pragma once
// A real directory searcher with one thing added: after a given number of rows it runs an
// action once (freezing the server, cutting the connection), so a test interrupts a count at
// a known point of a real search against a real server.

#include "platform/ads/ads_interfaces.h"
#include "platform/com/atl/com_object.h"
#include "platform/com/atl/com_ptr.h"

#include <functional>
#include <utility>

namespace ldap_collectors_test {

class interrupting_searcher_object : public CComObjectRootEx<CComMultiThreadModel>, public IDirectorySearch {
public:
    BEGIN_COM_MAP(interrupting_searcher_object)
    COM_INTERFACE_ENTRY(IDirectorySearch)
    END_COM_MAP()

    interrupting_searcher_object(IDirectorySearch* real, int after_rows, std::function<void()> action)
        : m_real(real), m_after_rows(after_rows), m_action(std::move(action))
    {
    }

    int rows() const { return m_rows; }

    HRESULT SetSearchPreference(PADS_SEARCHPREF_INFO prefs, DWORD count) override
    {
        return m_real->SetSearchPreference(prefs, count);
    }
    HRESULT ExecuteSearch(LPWSTR filter, LPWSTR* names, DWORD count, PADS_SEARCH_HANDLE handle) override
    {
        return m_real->ExecuteSearch(filter, names, count, handle);
    }
    HRESULT AbandonSearch(ADS_SEARCH_HANDLE handle) override { return m_real->AbandonSearch(handle); }
    HRESULT GetFirstRow(ADS_SEARCH_HANDLE handle) override { return m_real->GetFirstRow(handle); }
    HRESULT GetNextRow(ADS_SEARCH_HANDLE handle) override
    {
        if (m_rows == m_after_rows && m_action) {
            std::exchange(m_action, nullptr)();
        }
        const HRESULT hr = m_real->GetNextRow(handle);
        if (hr == S_OK)
            ++m_rows;
        return hr;
    }
    HRESULT GetPreviousRow(ADS_SEARCH_HANDLE handle) override { return m_real->GetPreviousRow(handle); }
    HRESULT GetNextColumnName(ADS_SEARCH_HANDLE handle, LPWSTR* name) override
    {
        return m_real->GetNextColumnName(handle, name);
    }
    HRESULT GetColumn(ADS_SEARCH_HANDLE handle, LPWSTR name, PADS_SEARCH_COLUMN column) override
    {
        return m_real->GetColumn(handle, name, column);
    }
    HRESULT FreeColumn(PADS_SEARCH_COLUMN column) override { return m_real->FreeColumn(column); }
    HRESULT CloseSearchHandle(ADS_SEARCH_HANDLE handle) override { return m_real->CloseSearchHandle(handle); }

private:
    CComPtr<IDirectorySearch> m_real;
    int m_after_rows;
    std::function<void()> m_action;
    int m_rows = 0;
};

// Lives on the test's stack.
using interrupting_searcher = CComObjectStackEx<interrupting_searcher_object>;

} // namespace ldap_collectors_test
