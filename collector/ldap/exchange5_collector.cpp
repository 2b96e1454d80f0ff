#include "collector/ldap/exchange5_collector.h"

#include "collector/collector_strings.h"
#include "platform/win32/win_errors.h"

using namespace collector_strings;

bool exchange5_collector::Collect(const std::u16string&, pairs& result, std::u16string& error)
{
    result.clear();
    result.emplace_back(oxcExchange5Servers, CollectItemCount(load_filter(IDS_FILTER_EXCHANGE5_SERVERS), error));
    result.emplace_back(oxcExchange5Mailbox, CollectItemCount(load_filter(IDS_FILTER_EXCHANGE5_MAILBOX), error));
    return error.empty();
}

std::u16string exchange5_collector::GetOrganizationName(const std::u16string&, std::u16string& error)
{
    IDirectorySearch* searcher = Session();
    if (searcher == nullptr) {
        error += GetErrorDescription(E_POINTER);
        return {};
    }
    InitSearcher(searcher, false, 100, ADS_SCOPE_BASE, false);

    std::u16string organization;
    std::u16string filter = load_filter(IDS_FILTER_ORGANIZATION);
    std::u16string o = u"o";
    LPWSTR attributes[] = {o.data()};
    ADS_SEARCH_HANDLE handle = nullptr;
    HRESULT hr = searcher->ExecuteSearch(filter.data(), attributes, 1, &handle);
    if (SUCCEEDED(hr))
        hr = searcher->GetNextRow(handle);
    if (SUCCEEDED(hr) && hr != S_ADS_NOMORE_ROWS) {
        ADS_SEARCH_COLUMN column{};
        hr = searcher->GetColumn(handle, o.data(), &column);
        if (SUCCEEDED(hr)) {
            if (const WCHAR* name = first_string_value(column))
                organization = name;
            searcher->FreeColumn(&column);
        }
    }
    if (handle != nullptr)
        searcher->CloseSearchHandle(handle);
    if (FAILED(hr)) {
        error += GetErrorDescription(hr);
        return {};
    }
    return organization;
}
