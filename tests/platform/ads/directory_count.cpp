#include "tests/platform/ads/directory_count.h"

#include "platform/ads/ads_last_error.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

namespace ads_test {

HRESULT set_collector_preferences(IDirectorySearch* searcher, int page_size, int scope, bool types_only)
{
    ADS_SEARCHPREF_INFO prefs[5] = {};
    prefs[0].dwSearchPref = ADS_SEARCHPREF_PAGESIZE;
    prefs[0].vValue.dwType = ADSTYPE_INTEGER;
    prefs[0].vValue.Integer = static_cast<ADS_INTEGER>(page_size);
    prefs[1].dwSearchPref = ADS_SEARCHPREF_SEARCH_SCOPE;
    prefs[1].vValue.dwType = ADSTYPE_INTEGER;
    prefs[1].vValue.Integer = static_cast<ADS_INTEGER>(scope);
    prefs[2].dwSearchPref = ADS_SEARCHPREF_ATTRIBTYPES_ONLY;
    prefs[2].vValue.dwType = ADSTYPE_BOOLEAN;
    prefs[2].vValue.Boolean = types_only ? 1 : 0;
    prefs[3].dwSearchPref = ADS_SEARCHPREF_CACHE_RESULTS;
    prefs[3].vValue.dwType = ADSTYPE_BOOLEAN;
    prefs[3].vValue.Boolean = 0;
    prefs[4].dwSearchPref = ADS_SEARCHPREF_CACHE_RESULTS;
    prefs[4].vValue.dwType = ADSTYPE_INTEGER;
    prefs[4].vValue.Integer = 96;
    return searcher->SetSearchPreference(prefs, 5);
}

count_result count_rows(IDirectorySearch* searcher, const std::u16string& filter,
                        std::vector<std::u16string> attributes, int scope)
{
    count_result result;
    set_collector_preferences(searcher, 100, scope);
    std::vector<LPWSTR> names;
    for (auto& a : attributes)
        names.push_back(a.data());
    std::u16string f = filter;
    ADS_SEARCH_HANDLE handle = nullptr;
    result.start = searcher->ExecuteSearch(f.data(), names.data(), static_cast<DWORD>(names.size()), &handle);
    if (FAILED(result.start))
        return result;
    while (true) {
        HRESULT hr = searcher->GetNextRow(handle);
        if (hr != S_OK) {
            result.end = hr;
            break;
        }
        ++result.rows;
    }
    searcher->CloseSearchHandle(handle);
    return result;
}

HRESULT open(const std::u16string& path, const char16_t* user, const char16_t* password, CComPtr<IDirectorySearch>& out)
{
    out.Release();
    if (user == nullptr && password == nullptr)
        return ADsGetObject(path.c_str(), IID_IDirectorySearch, reinterpret_cast<void**>(&out.p));
    return ADsOpenObject(path.c_str(), user, password, ADS_SECURE_AUTHENTICATION, IID_IDirectorySearch,
                         reinterpret_cast<void**>(&out.p));
}

std::vector<std::u16string> first_row_values(IDirectorySearch* searcher, const std::u16string& filter,
                                             const std::u16string& column, int scope)
{
    std::vector<std::u16string> values;
    set_collector_preferences(searcher, 100, scope);
    std::u16string f = filter;
    std::u16string c = column;
    LPWSTR names[] = {c.data()};
    ADS_SEARCH_HANDLE handle = nullptr;
    if (FAILED(searcher->ExecuteSearch(f.data(), names, 1, &handle)))
        return values;
    if (searcher->GetNextRow(handle) == S_OK) {
        ADS_SEARCH_COLUMN col{};
        if (searcher->GetColumn(handle, c.data(), &col) == S_OK) {
            EXPECT_EQ(col.dwADsType, ADSTYPE_CASE_IGNORE_STRING);
            for (DWORD i = 0; i < col.dwNumValues; ++i)
                values.emplace_back(col.pADsValues[i].CaseIgnoreString);
            searcher->FreeColumn(&col);
        }
    }
    searcher->CloseSearchHandle(handle);
    return values;
}

std::u16string u16(const std::string& text) { return utf8_to_utf16(text); }

std::string last_error_text()
{
    DWORD code = 0;
    char16_t text[259] = {};
    char16_t provider[259] = {};
    ADsGetLastError(&code, text, 259, provider, 259);
    return utf16_to_utf8(text);
}

} // namespace ads_test
