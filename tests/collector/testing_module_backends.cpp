// The back ends of the test build of the module: they forward to the back ends a test
// installs through the one entry point this build exports beside the module's four. With
// nothing installed, every bind fails, both tables are empty and the domain list is empty.

#include "collector/module_backends.h"

#include <mutex>

namespace {

std::mutex installed_mutex;
directory_backend* installed_directory = nullptr;
network_backend* installed_network = nullptr;

directory_backend* directory()
{
    std::lock_guard lock(installed_mutex);
    return installed_directory;
}

network_backend* network()
{
    std::lock_guard lock(installed_mutex);
    return installed_network;
}

class forwarding_directory final : public directory_backend {
public:
    CComPtr<IDirectorySearch> connect(const std::u16string& name, std::u16string& error, bind_line line) override
    {
        if (directory_backend* target = directory())
            return target->connect(name, error, line);
        error += u"error while connecting to LDAP server '" + name + u"': no directory back end is installed\r\n";
        return nullptr;
    }
    directory_collector_table make_ad_collectors() override
    {
        directory_backend* target = directory();
        return target != nullptr ? target->make_ad_collectors() : directory_collector_table{};
    }
    std::unique_ptr<exchange5_counter> make_exchange5_collector(IDirectorySearch* searcher) override
    {
        directory_backend* target = directory();
        return target != nullptr ? target->make_exchange5_collector(searcher) : nullptr;
    }
};

class forwarding_network final : public network_backend {
public:
    collector_table make_netapi_collectors() override
    {
        network_backend* target = network();
        return target != nullptr ? target->make_netapi_collectors() : collector_table{};
    }
    std::unique_ptr<network_credentials_scope> use_credentials(const std::u16string& user,
                                                               const std::u16string& password) override
    {
        network_backend* target = network();
        return target != nullptr ? target->use_credentials(user, password) : nullptr;
    }
    DWORD enumerate_domains(VARIANT* domains) override
    {
        if (network_backend* target = network())
            return target->enumerate_domains(domains);
        VariantClear(domains);
        return 0;
    }
};

} // namespace

module_backends make_module_backends()
{
    return {std::make_shared<forwarding_directory>(), std::make_shared<forwarding_network>()};
}

// Installs the back ends the objects of this build count over (neither is owned; each must
// outlive the objects that use it); null leaves that side with nothing.
extern "C" [[gnu::visibility("default")]] void OstrelCollectorTesting_InstallBackends(directory_backend* directory,
                                                                                      network_backend* network)
{
    std::lock_guard lock(installed_mutex);
    installed_directory = directory;
    installed_network = network;
}
