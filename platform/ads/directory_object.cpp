#include "platform/ads/directory_object.h"

#include "platform/ads/ads_last_error.h"
#include "platform/ads/filter_syntax.h"
#include "platform/ads/paged_search.h"
#include "platform/com/bstr.h"
#include "platform/com/safearray.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <algorithm>
#include <cstring>
#include <new>

// The state behind an ADS_SEARCH_HANDLE: the streamed search and the column names of its
// current row for GetNextColumnName.
struct ads_search_state {
    std::unique_ptr<ads::paged_search> search;
    std::vector<std::string> columns;
    std::size_t next_column = 0;
    bool columns_read = false;
};

namespace ads {

namespace {

LPWSTR duplicate_wide(const std::u16string& text)
{
    auto* copy = new (std::nothrow) char16_t[text.size() + 1];
    if (copy != nullptr) {
        std::copy(text.begin(), text.end(), copy);
        copy[text.size()] = u'\0';
    }
    return copy;
}

std::u16string wide_length(const char16_t* text) { return text != nullptr ? std::u16string(text) : std::u16string(); }

} // namespace

CDirectoryObject* CDirectoryObject::create(std::shared_ptr<ldap_session> session, std::u16string path, std::string dn)
{
    CComObject<CDirectoryObject>* object = nullptr;
    if (FAILED(CComObject<CDirectoryObject>::CreateInstance(&object)))
        return nullptr;
    object->session_ = std::move(session);
    object->path_ = std::move(path);
    object->dn_ = std::move(dn);
    object->AddRef();
    return object;
}

HRESULT CDirectoryObject::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CDirectoryObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT CDirectoryObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT CDirectoryObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT CDirectoryObject::get_Name(BSTR*) { return E_NOTIMPL; }
HRESULT CDirectoryObject::get_Class(BSTR*) { return E_NOTIMPL; }
HRESULT CDirectoryObject::get_GUID(BSTR*) { return E_NOTIMPL; }

HRESULT CDirectoryObject::get_ADsPath(BSTR* retval)
{
    if (retval == nullptr)
        return E_POINTER;
    *retval = SysAllocStringLen(path_.data(), static_cast<UINT>(path_.size()));
    return *retval != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CDirectoryObject::get_Parent(BSTR*) { return E_NOTIMPL; }
HRESULT CDirectoryObject::get_Schema(BSTR*) { return E_NOTIMPL; }

// Properties are read from the server at each Get, so there is nothing to load beforehand.
HRESULT CDirectoryObject::GetInfo() { return S_OK; }
HRESULT CDirectoryObject::SetInfo() { return E_NOTIMPL; }

HRESULT CDirectoryObject::Get(BSTR bstrName, VARIANT* pvProp)
{
    if (pvProp == nullptr)
        return E_POINTER;
    VariantInit(pvProp);
    const std::string name = utf16_to_utf8(wide_length(bstrName));
    if (name.empty())
        return E_ADS_BAD_PARAMETER;
    std::vector<std::string> values;
    HRESULT hr = session_->read_values(dn_, name, values);
    if (FAILED(hr))
        return hr;
    if (values.empty())
        return E_ADS_PROPERTY_NOT_FOUND;
    if (values.size() == 1) {
        const std::u16string text = utf8_to_utf16(values.front());
        BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (value == nullptr)
            return E_OUTOFMEMORY;
        pvProp->vt = VT_BSTR;
        pvProp->bstrVal = value;
        return S_OK;
    }
    // Several values: an array of string variants, as the directory service gives them.
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(values.size()));
    if (array == nullptr)
        return E_OUTOFMEMORY;
    for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
        const std::u16string text = utf8_to_utf16(values[static_cast<std::size_t>(i)]);
        VARIANT element;
        VariantInit(&element);
        element.vt = VT_BSTR;
        element.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        hr = element.bstrVal != nullptr ? SafeArrayPutElement(array, &i, &element) : E_OUTOFMEMORY;
        VariantClear(&element);
        if (FAILED(hr)) {
            SafeArrayDestroy(array);
            return hr;
        }
    }
    pvProp->vt = VT_ARRAY | VT_VARIANT;
    pvProp->parray = array;
    return S_OK;
}

HRESULT CDirectoryObject::Put(BSTR, VARIANT) { return E_NOTIMPL; }
HRESULT CDirectoryObject::GetEx(BSTR, VARIANT*) { return E_NOTIMPL; }
HRESULT CDirectoryObject::PutEx(LONG, BSTR, VARIANT) { return E_NOTIMPL; }
HRESULT CDirectoryObject::GetInfoEx(VARIANT, LONG) { return E_NOTIMPL; }

HRESULT CDirectoryObject::SetSearchPreference(PADS_SEARCHPREF_INFO prefs, DWORD count)
{
    if (prefs == nullptr && count > 0)
        return E_ADS_BAD_PARAMETER;
    bool errors = false;
    for (DWORD i = 0; i < count; ++i) {
        ADS_SEARCHPREF_INFO& pref = prefs[i];
        pref.dwStatus = ADS_STATUS_S_OK;
        auto expect = [&](ADSTYPE type) {
            if (pref.vValue.dwType == type)
                return true;
            pref.dwStatus = ADS_STATUS_INVALID_SEARCHPREFVALUE;
            errors = true;
            return false;
        };
        switch (pref.dwSearchPref) {
        case ADS_SEARCHPREF_PAGESIZE:
            if (expect(ADSTYPE_INTEGER))
                page_size_ = static_cast<int>(std::min<ADS_INTEGER>(pref.vValue.Integer, 0x7FFFFFFF));
            break;
        case ADS_SEARCHPREF_SEARCH_SCOPE:
            if (expect(ADSTYPE_INTEGER)) {
                if (pref.vValue.Integer <= ADS_SCOPE_SUBTREE) {
                    scope_ = static_cast<int>(pref.vValue.Integer);
                } else {
                    pref.dwStatus = ADS_STATUS_INVALID_SEARCHPREFVALUE;
                    errors = true;
                }
            }
            break;
        case ADS_SEARCHPREF_ATTRIBTYPES_ONLY:
            if (expect(ADSTYPE_BOOLEAN))
                attributes_only_ = pref.vValue.Boolean != 0;
            break;
        case ADS_SEARCHPREF_CACHE_RESULTS:
            // Rows are never cached (they are streamed); either value is accepted.
            expect(ADSTYPE_BOOLEAN);
            break;
        default:
            // Preferences this layer does not use are accepted and have no effect; in
            // particular referrals are never chased.
            break;
        }
    }
    return errors ? S_ADS_ERRORSOCCURRED : S_OK;
}

HRESULT CDirectoryObject::ExecuteSearch(LPWSTR filter, LPWSTR* names, DWORD count, PADS_SEARCH_HANDLE handle)
{
    if (handle == nullptr)
        return E_ADS_BAD_PARAMETER;
    *handle = nullptr;
    const std::string given = filter != nullptr ? utf16_to_utf8(filter) : std::string("(objectClass=*)");
    auto rfc_filter = to_rfc4515_filter(given);
    if (!rfc_filter) {
        // A filter refused for its depth may be long: the text names its start.
        constexpr std::size_t kShown = 200;
        const std::string shown = given.size() > kShown ? given.substr(0, kShown) + "..." : given;
        set_last_error(ERROR_DS_FILTER_UNKNOWN, "The search filter '" + shown + "' is not well formed");
        return E_ADS_INVALID_FILTER;
    }
    search_request request;
    request.base = dn_;
    request.scope = scope_;
    request.filter = *rfc_filter;
    request.attributes_only = attributes_only_;
    request.page_size = page_size_;
    if (names != nullptr && count != 0xFFFFFFFFu) {
        for (DWORD i = 0; i < count; ++i) {
            if (names[i] == nullptr)
                return E_ADS_BAD_PARAMETER;
            request.attributes.push_back(utf16_to_utf8(names[i]));
        }
        if (request.attributes.empty())
            request.attributes.emplace_back("1.1"); // no attributes at all
    }
    auto state = std::make_unique<ads_search_state>();
    state->search = std::make_unique<paged_search>(session_, std::move(request));
    HRESULT hr = state->search->start();
    if (FAILED(hr))
        return hr;
    *handle = state.release();
    return S_OK;
}

HRESULT CDirectoryObject::AbandonSearch(ADS_SEARCH_HANDLE handle)
{
    if (handle == nullptr)
        return E_ADS_BAD_PARAMETER;
    handle->search.reset();
    return S_OK;
}

HRESULT CDirectoryObject::GetFirstRow(ADS_SEARCH_HANDLE handle)
{
    if (handle == nullptr || !handle->search)
        return E_ADS_BAD_PARAMETER;
    // Rows are streamed, not cached: the first row can be had only once.
    if (handle->search->rows() > 0)
        return E_NOTIMPL;
    return GetNextRow(handle);
}

HRESULT CDirectoryObject::GetNextRow(ADS_SEARCH_HANDLE handle)
{
    if (handle == nullptr)
        return E_ADS_BAD_PARAMETER;
    if (!handle->search)
        return S_ADS_NOMORE_ROWS; // abandoned
    handle->columns.clear();
    handle->next_column = 0;
    handle->columns_read = false;
    return handle->search->next_row();
}

HRESULT CDirectoryObject::GetPreviousRow(ADS_SEARCH_HANDLE) { return E_NOTIMPL; }

HRESULT CDirectoryObject::GetNextColumnName(ADS_SEARCH_HANDLE handle, LPWSTR* name)
{
    if (handle == nullptr || name == nullptr)
        return E_ADS_BAD_PARAMETER;
    *name = nullptr;
    if (!handle->search)
        return S_ADS_NOMORE_COLUMNS;
    if (!handle->columns_read) {
        handle->columns = handle->search->attribute_names();
        handle->columns_read = true;
    }
    if (handle->next_column >= handle->columns.size())
        return S_ADS_NOMORE_COLUMNS;
    *name = duplicate_wide(utf8_to_utf16(handle->columns[handle->next_column++]));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CDirectoryObject::GetColumn(ADS_SEARCH_HANDLE handle, LPWSTR column_name, PADS_SEARCH_COLUMN column)
{
    if (handle == nullptr || column_name == nullptr || column == nullptr)
        return E_ADS_BAD_PARAMETER;
    std::memset(column, 0, sizeof *column);
    if (!handle->search)
        return E_ADS_COLUMN_NOT_SET;
    const std::string name = utf16_to_utf8(column_name);
    if (!handle->search->has_attribute(name))
        return E_ADS_COLUMN_NOT_SET;
    const std::vector<std::string> values = handle->search->values(name);
    column->pszAttrName = duplicate_wide(column_name);
    // Every value is handed over as a case-ignoring string: the layer reads no schema.
    column->dwADsType = ADSTYPE_CASE_IGNORE_STRING;
    column->dwNumValues = static_cast<DWORD>(values.size());
    if (!values.empty()) {
        column->pADsValues = new (std::nothrow) ADSVALUE[values.size()];
        if (column->pADsValues == nullptr) {
            FreeColumn(column);
            return E_OUTOFMEMORY;
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            column->pADsValues[i].dwType = ADSTYPE_CASE_IGNORE_STRING;
            column->pADsValues[i].CaseIgnoreString = duplicate_wide(utf8_to_utf16(values[i]));
        }
    }
    return S_OK;
}

HRESULT CDirectoryObject::FreeColumn(PADS_SEARCH_COLUMN column)
{
    if (column == nullptr)
        return E_ADS_BAD_PARAMETER;
    if (column->pADsValues != nullptr) {
        for (DWORD i = 0; i < column->dwNumValues; ++i)
            delete[] column->pADsValues[i].CaseIgnoreString;
        delete[] column->pADsValues;
    }
    delete[] column->pszAttrName;
    std::memset(column, 0, sizeof *column);
    return S_OK;
}

HRESULT CDirectoryObject::CloseSearchHandle(ADS_SEARCH_HANDLE handle)
{
    if (handle == nullptr)
        return E_ADS_BAD_PARAMETER;
    delete handle;
    return S_OK;
}

} // namespace ads
