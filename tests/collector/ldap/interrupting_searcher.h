#pragma once
// A real directory searcher with one thing added: after a given number of rows it runs an
// action once (freezing the server, cutting the connection), so a test interrupts a count at
// a known point of a real search against a real server.

#include "platform/ads/ads_interfaces.h"
#include "platform/com/atl/com_ptr.h"

#include <functional>
#include <utility>

namespace ldap_collectors_test {

class interrupting_searcher final : public IDirectorySearch {
public:
    interrupting_searcher(IDirectorySearch* real, int after_rows, std::function<void()> action)
        : m_real(real), m_after_rows(after_rows), m_action(std::move(action))
    {
    }

    int rows() const { return m_rows; }

    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDirectorySearch) {
            *out = static_cast<IDirectorySearch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override { return --m_refs; }  // lives on the test's stack

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
    ULONG m_refs = 1;
};

} // namespace ldap_collectors_test
