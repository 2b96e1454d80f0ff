#include "collector/ldap/exchange_collector_ad.h"

#include "collector/ca_string.h"
#include "collector/collector_strings.h"
#include "collector/ldap/filter_value_escape.h"
#include "collector/ldap/get_ads_object.h"
#include "platform/com/bstr.h"
#include "platform/com/variant.h"
#include "platform/win32/win_errors.h"

using namespace collector_strings;

bool exchange_collector_ad::Collect(const std::u16string& domain, pairs& result, std::u16string& error)
{
    result.clear();
    result.emplace_back(oxcMailEnabledUser, CollectItemCount(load_filter(IDS_FILTER_MAIL_ENABLED_USER), error));
    result.emplace_back(oxcMailboxEnabledUser, CollectItemCount(load_filter(IDS_FILTER_MAILBOX_ENABLED_USER), error));
    result.emplace_back(oxcMailEnabledGroup, CollectItemCount(load_filter(IDS_FILTER_MAIL_ENABLED_GROUP), error));
    result.emplace_back(oxcContact, CollectItemCount(load_filter(IDS_FILTER_CONTACT), error));
    result.emplace_back(oxcExchangeServer, CollectServers(domain, error));
    return error.empty();
}

LONG exchange_collector_ad::CollectServers(const std::u16string& domain, std::u16string& error)
{
    CComPtr<IADs> root_dse;
    CComVariant configuration;
    CComPtr<IDirectorySearch> configuration_searcher;
    ADS_SEARCH_HANDLE handle = nullptr;
    LONG servers = 0;
    bool per_server_failed = false;

    const HRESULT hr = [&]() -> HRESULT {
        HRESULT step = GetADsObject(domain.c_str(), nullptr, u"/RootDSE", IID_IADs,
                                    reinterpret_cast<void**>(&root_dse));
        if (FAILED(step))
            return step;
        const CComBSTR property(u"configurationNamingContext");
        step = root_dse->Get(property, &configuration);
        if (FAILED(step))
            return step;
        if (configuration.vt != VT_BSTR || configuration.bstrVal == nullptr)
            return E_ADS_CANT_CONVERT_DATATYPE;

        step = GetADsObject(domain.c_str(), nullptr, configuration.bstrVal, IID_IDirectorySearch,
                            reinterpret_cast<void**>(&configuration_searcher));
        if (FAILED(step))
            return step;
        step = InitSearcher(configuration_searcher, false, 100, ADS_SCOPE_SUBTREE, false);
        if (FAILED(step))
            return step;

        std::u16string filter = load_filter(IDS_FILTER_EXCHANGE_SERVER);
        std::u16string name = u"name";
        std::u16string cn = u"cn";
        LPWSTR attributes[] = {name.data(), cn.data()};
        step = configuration_searcher->ExecuteSearch(filter.data(), attributes, 2, &handle);
        if (FAILED(step))
            return step;

        const std::u16string server_filter = load_filter(IDS_FILTER_SERVER_BY_CN);
        while ((step = configuration_searcher->GetNextRow(handle)) != S_ADS_NOMORE_ROWS) {
            if (FAILED(step))
                return step;
            ADS_SEARCH_COLUMN column{};
            step = configuration_searcher->GetColumn(handle, cn.data(), &column);
            if (FAILED(step))
                return step;
            if (const WCHAR* server_name = first_string_value(column)) {
                // The cn is a value of the directory, not filter syntax: escaped, a name such
                // as "EX(1)*" finds that one computer and no other.
                const std::u16string value = ldap_collectors::escape_filter_value(server_name);
                CAString per_server;
                per_server.Format(server_filter.c_str(), value.c_str());
                const LONG found = CollectItemCount(per_server.str(), error);
                if (found > 0)
                    ++servers;
                else if (found < 0)
                    per_server_failed = true; // its own line is written; the total is unknown
            }
            configuration_searcher->FreeColumn(&column);
        }
        return S_OK;
    }();

    if (handle != nullptr)
        configuration_searcher->CloseSearchHandle(handle);
    if (FAILED(hr)) {
        error += GetErrorDescription(hr);
        return -1;
    }
    // A server whose test failed may or may not be one: the count would be a guess.
    return per_server_failed ? -1 : servers;
}
