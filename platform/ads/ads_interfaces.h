#pragma once
// The directory service's interfaces as the collector calls them: IDirectorySearch for
// paged searches below a bound object, IADs for reading a bound object's properties.

#include "platform/ads/ads_types.h"
#include "platform/com/dispatch.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"

struct IDirectorySearch : IUnknown {
    virtual HRESULT SetSearchPreference(PADS_SEARCHPREF_INFO pSearchPrefs, DWORD dwNumPrefs) = 0;
    virtual HRESULT ExecuteSearch(LPWSTR pszSearchFilter, LPWSTR* pAttributeNames, DWORD dwNumberAttributes,
                                  PADS_SEARCH_HANDLE phSearchResult) = 0;
    virtual HRESULT AbandonSearch(ADS_SEARCH_HANDLE hSearchResult) = 0;
    virtual HRESULT GetFirstRow(ADS_SEARCH_HANDLE hSearchResult) = 0;
    virtual HRESULT GetNextRow(ADS_SEARCH_HANDLE hSearchResult) = 0;
    virtual HRESULT GetPreviousRow(ADS_SEARCH_HANDLE hSearchResult) = 0;
    virtual HRESULT GetNextColumnName(ADS_SEARCH_HANDLE hSearchHandle, LPWSTR* ppszColumnName) = 0;
    virtual HRESULT GetColumn(ADS_SEARCH_HANDLE hSearchResult, LPWSTR szColumnName,
                              PADS_SEARCH_COLUMN pSearchColumn) = 0;
    virtual HRESULT FreeColumn(PADS_SEARCH_COLUMN pSearchColumn) = 0;
    virtual HRESULT CloseSearchHandle(ADS_SEARCH_HANDLE hSearchResult) = 0;

protected:
    ~IDirectorySearch() = default;
};
COM_DECLARE_IID(IDirectorySearch, "109BA8EC-92F0-11D0-A790-00C04FD8D5A8");

struct IADs : IDispatch {
    virtual HRESULT get_Name(BSTR* retval) = 0;
    virtual HRESULT get_Class(BSTR* retval) = 0;
    virtual HRESULT get_GUID(BSTR* retval) = 0;
    virtual HRESULT get_ADsPath(BSTR* retval) = 0;
    virtual HRESULT get_Parent(BSTR* retval) = 0;
    virtual HRESULT get_Schema(BSTR* retval) = 0;
    virtual HRESULT GetInfo() = 0;
    virtual HRESULT SetInfo() = 0;
    virtual HRESULT Get(BSTR bstrName, VARIANT* pvProp) = 0;
    virtual HRESULT Put(BSTR bstrName, VARIANT vProp) = 0;
    virtual HRESULT GetEx(BSTR bstrName, VARIANT* pvProp) = 0;
    virtual HRESULT PutEx(LONG lnControlCode, BSTR bstrName, VARIANT vProp) = 0;
    virtual HRESULT GetInfoEx(VARIANT vProperties, LONG lnReserved) = 0;

protected:
    ~IADs() = default;
};
COM_DECLARE_IID(IADs, "FD8256D0-FD15-11CE-ABC4-02608C9E7553");
