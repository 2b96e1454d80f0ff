#pragma once
// A scripted back end for tests that isolate the engine's logic: collectors that report fixed
// pairs and error lines and log each run, and a bind that succeeds for chosen names.

#include "collector/directory_backend.h"
#include "platform/win32/entry_name.h"
#include "collector/network_backend.h"

#include <atomic>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace collector_test {

// A searcher stand-in: a counted object that remembers the name it was bound to and
// searches nothing.
class fake_searcher final : public IDirectorySearch {
public:
    explicit fake_searcher(std::u16string name) : bound_to(std::move(name)) {}
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDirectorySearch) {
            *out = static_cast<IDirectorySearch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        const ULONG left = --refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT SetSearchPreference(PADS_SEARCHPREF_INFO, DWORD) override { return E_NOTIMPL; }
    HRESULT ExecuteSearch(LPWSTR, LPWSTR*, DWORD, PADS_SEARCH_HANDLE) override { return E_NOTIMPL; }
    HRESULT AbandonSearch(ADS_SEARCH_HANDLE) override { return E_NOTIMPL; }
    HRESULT GetFirstRow(ADS_SEARCH_HANDLE) override { return E_NOTIMPL; }
    HRESULT GetNextRow(ADS_SEARCH_HANDLE) override { return E_NOTIMPL; }
    HRESULT GetPreviousRow(ADS_SEARCH_HANDLE) override { return E_NOTIMPL; }
    HRESULT GetNextColumnName(ADS_SEARCH_HANDLE, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT GetColumn(ADS_SEARCH_HANDLE, LPWSTR, PADS_SEARCH_COLUMN) override { return E_NOTIMPL; }
    HRESULT FreeColumn(PADS_SEARCH_COLUMN) override { return E_NOTIMPL; }
    HRESULT CloseSearchHandle(ADS_SEARCH_HANDLE) override { return E_NOTIMPL; }

    std::u16string bound_to;
    std::atomic<ULONG> refs{1};
};

class fake_backend;

class fake_collector final : public directory_collector {
public:
    fake_collector(fake_backend& owner, std::string label, pairs reports, std::u16string error_line = {})
        : m_owner(owner), m_label(std::move(label)), m_reports(std::move(reports)), m_error_line(std::move(error_line))
    {
    }
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;
    void Init(IDirectorySearch* searcher) override { searcher_name = static_cast<fake_searcher*>(searcher)->bound_to; }
    std::u16string searcher_name; // what Init gave it last

private:
    fake_backend& m_owner;
    std::string m_label;
    pairs m_reports;
    std::u16string m_error_line;
};

class fake_organization final : public exchange5_counter {
public:
    fake_organization(std::u16string organization, collector::pairs reports)
        : m_organization(std::move(organization)), m_reports(std::move(reports))
    {
    }
    std::u16string GetOrganizationName(const std::u16string&, std::u16string&) override { return m_organization; }
    bool Collect(const std::u16string&, pairs& result, std::u16string& error) override
    {
        result = m_reports;
        return error.empty();
    }

private:
    std::u16string m_organization;
    pairs m_reports;
};

// Both back ends in one object, so that a test scripts the bind and both tables together.
class fake_backend final : public directory_backend, public network_backend {
public:
    CComPtr<IDirectorySearch> connect(const std::u16string& name, std::u16string& error, bind_line) override
    {
        CComPtr<IDirectorySearch> searcher;
        if (ldap_names.count(name) == 0)
            error += u"error while connecting to LDAP server '" + win32::parse_entry_name(name).shown() + u"': refused\r\n";
        else
            searcher.Attach(new fake_searcher(name));
        return searcher;
    }
    directory_collector_table make_ad_collectors() override { return ad; }
    std::unique_ptr<exchange5_counter> make_exchange5_collector(IDirectorySearch* searcher) override
    {
        const auto name = static_cast<fake_searcher*>(searcher)->bound_to;
        const auto it = organizations.find(name);
        return std::make_unique<fake_organization>(it != organizations.end() ? it->second : std::u16string(),
                                                   exchange5_reports);
    }

    collector_table make_netapi_collectors() override { return netapi; }
    std::unique_ptr<network_credentials_scope> use_credentials(const std::u16string& user,
                                                               const std::u16string& password) override;
    DWORD enumerate_domains(VARIANT* domains) override { return enumerate ? enumerate(domains) : 0; }

    void log(const std::string& entry)
    {
        std::lock_guard lock(mutex);
        runs.push_back(entry);
    }
    std::vector<std::string> taken_runs()
    {
        std::lock_guard lock(mutex);
        return std::exchange(runs, {});
    }

    collector_table netapi;
    directory_collector_table ad;
    std::set<std::u16string> ldap_names;
    std::map<std::u16string, std::u16string> organizations;
    collector::pairs exchange5_reports;
    std::function<DWORD(VARIANT*)> enumerate;
    std::function<void(const std::string&)> on_collect; // runs inside each Collect
    std::mutex mutex;
    std::vector<std::string> runs;
};

// Logs "credentials:<user>:<password>" when an entry's credentials are taken up and
// "credentials end" when they are let go.
class fake_credentials_scope final : public network_credentials_scope {
public:
    explicit fake_credentials_scope(fake_backend& owner) : m_owner(owner) {}
    ~fake_credentials_scope() override { m_owner.log("credentials end"); }
    fake_credentials_scope(const fake_credentials_scope&) = delete;
    fake_credentials_scope& operator=(const fake_credentials_scope&) = delete;

private:
    fake_backend& m_owner;
};

inline std::unique_ptr<network_credentials_scope> fake_backend::use_credentials(const std::u16string& user,
                                                                                const std::u16string& password)
{
    log("credentials:" + std::string(user.begin(), user.end()) + ":" + std::string(password.begin(), password.end()));
    return std::make_unique<fake_credentials_scope>(*this);
}

inline bool fake_collector::Collect(const std::u16string& domain, pairs& result, std::u16string& error)
{
    result.clear();
    m_owner.log(m_label + ":" + std::string(domain.begin(), domain.end()));
    if (m_owner.on_collect)
        m_owner.on_collect(m_label);
    result = m_reports;
    error += m_error_line;
    return error.empty();
}

// The tables of the real collectors' shape: one object per kind, shared by its keys.
inline void install_standard_tables(fake_backend& backend)
{
    auto computers = std::make_shared<fake_collector>(
        backend, "computers", collector::pairs{{oxcDC, 1}, {oxcServer, 3}, {oxcWorkstation, 5}});
    auto users = std::make_shared<fake_collector>(backend, "users",
                                                  collector::pairs{{oxcUser, 10}, {oxcEnabledUser, 8}});
    auto groups = std::make_shared<fake_collector>(backend, "groups",
                                                   collector::pairs{{oxcGlobalGroup, 4}, {oxcLocalGroup, 2}});
    for (auto c : {oxcDC, oxcServer, oxcWorkstation, oxcUnknownComputerType})
        backend.netapi[c] = computers;
    backend.netapi[oxcUser] = users;
    for (auto c : {oxcGlobalGroup, oxcLocalGroup, oxcUniversalGroup})
        backend.netapi[c] = groups;

    auto computers_ad = std::make_shared<fake_collector>(
        backend, "computers_ad",
        collector::pairs{{oxcDC, 2}, {oxcServer, 6}, {oxcWorkstation, 7}, {oxcUnknownComputerType, 1}});
    auto users_ad = std::make_shared<fake_collector>(
        backend, "users_ad",
        collector::pairs{{oxcUser, 20}, {oxcEnabledUser, 18}, {oxcMSA, 2}, {oxcLyncEnabledUser, 0}});
    auto groups_ad = std::make_shared<fake_collector>(
        backend, "groups_ad", collector::pairs{{oxcGlobalGroup, 9}, {oxcLocalGroup, 3}, {oxcUniversalGroup, 1}});
    auto exchange_ad = std::make_shared<fake_collector>(backend, "exchange_ad",
                                                        collector::pairs{{oxcMailEnabledUser, 5},
                                                                         {oxcMailboxEnabledUser, 4},
                                                                         {oxcMailEnabledGroup, 1},
                                                                         {oxcContact, 0},
                                                                         {oxcExchangeServer, -1}},
                                                        u"error processing LDAP query 'x': failed\r\n");
    for (auto c : {oxcDC, oxcServer, oxcWorkstation, oxcUnknownComputerType})
        backend.ad[c] = computers_ad;
    for (auto c : {oxcUser, oxcMSA, oxcLyncEnabledUser})
        backend.ad[c] = users_ad;
    for (auto c : {oxcGlobalGroup, oxcLocalGroup, oxcUniversalGroup})
        backend.ad[c] = groups_ad;
    for (auto c : {oxcExchangeServer, oxcMailEnabledUser, oxcMailboxEnabledUser, oxcMailEnabledGroup, oxcContact})
        backend.ad[c] = exchange_ad;
}

} // namespace collector_test
