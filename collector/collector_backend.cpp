#include "collector/collector_backend.h"

#include <mutex>

namespace {

class empty_backend final : public collector_backend {
public:
    collector_table make_netapi_collectors() override { return {}; }
    collector_table make_ad_collectors() override { return {}; }
    IUnknown* connect(const std::u16string& name, std::u16string& error) override
    {
        error += u"error while connecting to LDAP server '" + name + u"': no directory back end is installed\r\n";
        return nullptr;
    }
    void init(collector&, IUnknown*) override {}
    std::unique_ptr<exchange5_counter> make_exchange5_collector(IUnknown*) override { return nullptr; }
    DWORD enumerate_domains(VARIANT* domains) override
    {
        VariantClear(domains);
        return 0;
    }
};

std::mutex& backend_mutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<collector_backend>& current_backend()
{
    static std::shared_ptr<collector_backend> backend = make_empty_collector_backend();
    return backend;
}

} // namespace

std::shared_ptr<collector_backend> make_empty_collector_backend()
{
    return std::make_shared<empty_backend>();
}

std::shared_ptr<collector_backend> default_collector_backend()
{
    std::lock_guard lock(backend_mutex());
    return current_backend();
}

void set_default_collector_backend(std::shared_ptr<collector_backend> backend)
{
    std::lock_guard lock(backend_mutex());
    current_backend() = backend ? std::move(backend) : make_empty_collector_backend();
}

extern "C" void OstrelCollector_InstallBackendForTesting(collector_backend* backend)
{
    if (backend == nullptr)
        set_default_collector_backend(nullptr);
    else
        set_default_collector_backend(std::shared_ptr<collector_backend>(backend, [](collector_backend*) {}));
}
