#pragma once
// A bound directory object: the object a path names on its server, reached through IADs
// (its properties) and IDirectorySearch (searches below it). It owns a reference to the
// session it was bound over; searches it opens stream their rows (see paged_search.h).

#include "platform/ads/ads_interfaces.h"
#include "platform/ads/ldap_session.h"
#include "platform/com/atl/com_object.h"

#include <memory>
#include <string>

namespace ads {

class CDirectoryObject : public CComObjectRootEx<CComMultiThreadModel>, public IADs, public IDirectorySearch {
public:
    // A new object with one reference, which the caller owns; null when it cannot be made.
    static CDirectoryObject* create(std::shared_ptr<ldap_session> session, std::u16string path, std::string dn);

    BEGIN_COM_MAP(CDirectoryObject)
    COM_INTERFACE_ENTRY(IADs)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IDirectorySearch)
    END_COM_MAP()

    // IDispatch: the object is reached early-bound only.
    HRESULT GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                   VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // IADs
    HRESULT get_Name(BSTR* retval) override;
    HRESULT get_Class(BSTR* retval) override;
    HRESULT get_GUID(BSTR* retval) override;
    HRESULT get_ADsPath(BSTR* retval) override;
    HRESULT get_Parent(BSTR* retval) override;
    HRESULT get_Schema(BSTR* retval) override;
    HRESULT GetInfo() override;
    HRESULT SetInfo() override;
    HRESULT Get(BSTR bstrName, VARIANT* pvProp) override;
    HRESULT Put(BSTR bstrName, VARIANT vProp) override;
    HRESULT GetEx(BSTR bstrName, VARIANT* pvProp) override;
    HRESULT PutEx(LONG lnControlCode, BSTR bstrName, VARIANT vProp) override;
    HRESULT GetInfoEx(VARIANT vProperties, LONG lnReserved) override;

    // IDirectorySearch
    HRESULT SetSearchPreference(PADS_SEARCHPREF_INFO pSearchPrefs, DWORD dwNumPrefs) override;
    HRESULT ExecuteSearch(LPWSTR pszSearchFilter, LPWSTR* pAttributeNames, DWORD dwNumberAttributes,
                          PADS_SEARCH_HANDLE phSearchResult) override;
    HRESULT AbandonSearch(ADS_SEARCH_HANDLE hSearchResult) override;
    HRESULT GetFirstRow(ADS_SEARCH_HANDLE hSearchResult) override;
    HRESULT GetNextRow(ADS_SEARCH_HANDLE hSearchResult) override;
    HRESULT GetPreviousRow(ADS_SEARCH_HANDLE hSearchResult) override;
    HRESULT GetNextColumnName(ADS_SEARCH_HANDLE hSearchHandle, LPWSTR* ppszColumnName) override;
    HRESULT GetColumn(ADS_SEARCH_HANDLE hSearchResult, LPWSTR szColumnName, PADS_SEARCH_COLUMN pSearchColumn) override;
    HRESULT FreeColumn(PADS_SEARCH_COLUMN pSearchColumn) override;
    HRESULT CloseSearchHandle(ADS_SEARCH_HANDLE hSearchResult) override;

protected:
    CDirectoryObject() = default;
    ~CDirectoryObject() = default;

private:
    std::shared_ptr<ldap_session> session_;
    std::u16string path_;
    std::string dn_;

    // Search preferences; they stay from one search to the next.
    int page_size_ = 0;
    int scope_ = ADS_SCOPE_SUBTREE;
    bool attributes_only_ = false;
};

} // namespace ads
