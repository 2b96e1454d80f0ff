#include "collector/ldap/collector_ad.h"

#include "platform/win32/entry_name.h"
#include "collector/hrx.h"
#include "collector/ldap/get_ads_object.h"
#include "collector/load_string.h"
#include "platform/ads/ads_last_error.h"
#include "platform/win32/visible_text.h"
#include "platform/win32/win_errors.h"

#include <array>

namespace {

constexpr DWORD kPageSize = 100;
constexpr DWORD kErrorBufferLength = 259;

// The description of a failed bind with the directory layer's own account of it ("The
// server is not operational. (certificate verify failed)"), when it has one that the
// description does not already hold. A password is never part of it. The account often holds
// the server's own text (a StartTLS refusal), which is made visible so it stays in the line.
std::u16string with_bind_reason(const std::u16string& description, const std::u16string& password)
{
    DWORD code = 0;
    std::array<WCHAR, kErrorBufferLength> message{};
    std::array<WCHAR, kErrorBufferLength> provider{};
    if (FAILED(ADsGetLastError(&code, message.data(), kErrorBufferLength, provider.data(), kErrorBufferLength)))
        return description;
    std::u16string reason = message.data();
    while (!reason.empty() && (reason.back() == u'\n' || reason.back() == u'\r' || reason.back() == u' '))
        reason.pop_back();
    const std::u16string text = description.substr(0, description.size() - 2); // without its "\r\n"
    if (reason.empty() || (!password.empty() && reason.find(password) != std::u16string::npos))
        return description;
    reason = win32::visible_text(reason);
    if (text.find(reason) != std::u16string::npos)
        return description;
    return text + u" (" + reason + u")\r\n";
}

void append_query_error(std::u16string& error, const std::u16string& filter, HRESULT hr)
{
    // The filter may hold a value the server chose (an Exchange server's name).
    error += u"error processing LDAP query '" + win32::visible_text(filter) + u"': " +
             collector_ad::GetErrorDescription(hr);
}

} // namespace

IDirectorySearch* collector_ad::Connect(const std::u16string& name, std::u16string& error, bool with_reason)
{
    IDirectorySearch* searcher = nullptr;
    // The name travels on as a C string: a NUL inside it would bind the part before it.
    const HRESULT hr = name.find(u'\0') != std::u16string::npos
                           ? E_ADS_BAD_PATHNAME
                           : GetADsObject(name.c_str(), nullptr, nullptr, IID_IDirectorySearch,
                                          reinterpret_cast<void**>(&searcher));
    if (SUCCEEDED(hr) && searcher != nullptr)
        return searcher;
    if (searcher != nullptr)
        searcher->Release();
    const win32::entry_name entry = win32::parse_entry_name(name);
    std::u16string description = GetErrorDescription(FAILED(hr) ? hr : E_FAIL);
    if (with_reason)
        description = with_bind_reason(description, entry.password);
    error += u"error while connecting to LDAP server '" + win32::visible_text(entry.shown()) + u"': " + description;
    return nullptr;
}

void collector_ad::Init(IDirectorySearch* searcher) { m_searcher = searcher; }

HRESULT collector_ad::InitSearcher(IDirectorySearch* searcher, bool attrib_types_only, DWORD page_size, DWORD scope,
                                   bool cache_results)
{
    if (searcher == nullptr)
        return E_POINTER;
    std::array<ADS_SEARCHPREF_INFO, 5> prefs{};
    prefs[0].dwSearchPref = ADS_SEARCHPREF_PAGESIZE;
    prefs[0].vValue.dwType = ADSTYPE_INTEGER;
    prefs[0].vValue.Integer = page_size;
    prefs[1].dwSearchPref = ADS_SEARCHPREF_SEARCH_SCOPE;
    prefs[1].vValue.dwType = ADSTYPE_INTEGER;
    prefs[1].vValue.Integer = scope;
    prefs[2].dwSearchPref = ADS_SEARCHPREF_ATTRIBTYPES_ONLY;
    prefs[2].vValue.dwType = ADSTYPE_BOOLEAN;
    prefs[2].vValue.Boolean = attrib_types_only ? 1u : 0u;
    prefs[3].dwSearchPref = ADS_SEARCHPREF_CACHE_RESULTS;
    prefs[3].vValue.dwType = ADSTYPE_BOOLEAN;
    prefs[3].vValue.Boolean = cache_results ? 1u : 0u;
    prefs[4].dwSearchPref = ADS_SEARCHPREF_CACHE_RESULTS;
    prefs[4].vValue.dwType = ADSTYPE_INTEGER;
    prefs[4].vValue.Integer = 96;
    return searcher->SetSearchPreference(prefs.data(), static_cast<DWORD>(prefs.size()));
}

LONG collector_ad::CollectItemCount(const std::u16string& filter, std::u16string& error)
{
    IDirectorySearch* searcher = Session();
    if (searcher == nullptr) {
        append_query_error(error, filter, E_POINTER);
        return -1;
    }
    InitSearcher(searcher, false, kPageSize, ADS_SCOPE_SUBTREE, false);

    std::u16string filter_text = filter;
    std::u16string attribute = u"objectClass";
    LPWSTR attributes[] = {attribute.data()};
    ADS_SEARCH_HANDLE handle = nullptr;
    HRESULT hr = searcher->ExecuteSearch(filter_text.data(), attributes, 1, &handle);
    if (FAILED(hr)) {
        append_query_error(error, filter, hr);
        if (handle != nullptr)
            searcher->CloseSearchHandle(handle);
        return -1;
    }

    // ExecuteSearch only sends the request, so a server that fails it (gone, busy, a limit,
    // a timeout) answers at a later GetNextRow: rows read until then are no count.
    LONG count = -1;
    while (hr != S_ADS_NOMORE_ROWS) {
        if (FAILED(hr)) {
            append_query_error(error, filter, hr);
            count = -1;
            break;
        }
        ++count;
        hr = searcher->GetNextRow(handle);
    }
    searcher->CloseSearchHandle(handle);
    return count;
}

std::u16string collector_ad::GetErrorDescription(HRESULT hr)
{
    std::u16string text = HRX::GetErrorDescription(hr).str();
    if (text.empty() && HRESULT_FACILITY(hr) == FACILITY_WIN32) {
        DWORD code = 0;
        std::array<WCHAR, kErrorBufferLength> message{};
        std::array<WCHAR, kErrorBufferLength> provider{};
        if (SUCCEEDED(ADsGetLastError(&code, message.data(), kErrorBufferLength, provider.data(), kErrorBufferLength)))
            text = message.data();
    }
    // The directory library's own texts are part of the system message table here, so a
    // code of another facility has no further table to look in. The text is one line of the
    // entry's error text: a line break or "]" of the server's own diagnostic is made visible.
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r'))
        text.pop_back();
    return win32::visible_text(text) + u"\r\n";
}

std::u16string collector_ad::load_filter(UINT id)
{
    std::u16string text;
    utils::load_string(id, text);
    return text;
}

const WCHAR* collector_ad::first_string_value(const ADS_SEARCH_COLUMN& column)
{
    if (column.dwADsType != ADSTYPE_CASE_IGNORE_STRING || column.dwNumValues == 0 || column.pADsValues == nullptr)
        return nullptr;
    return column.pADsValues[0].CaseIgnoreString;
}
