#pragma once
// Runs the collection engine with the LDAP back end over a list of names and waits for the
// run to complete: the road the module takes, from the bind to the stored counts.

#include "collector/ldap/ldap_directory_backend.h"
#include "collector/ostrel_collector_impl.h"
#include "platform/com/bstr.h"
#include "platform/com/safearray.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace ldap_collectors_test {

class completion_wait final : public COstrelCollectorImpl::collector_callback {
public:
    void DomainCollected(const std::u16string&, const std::u16string&) override {}
    void CollectionComplete() override
    {
        std::lock_guard lock(mutex_);
        done_ = true;
        changed_.notify_all();
    }
    void wait()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
};

inline std::vector<COstrelCollectorImpl::domain_info> run_engine(const std::vector<std::u16string>& names,
                                                                 oxcOstrelCounter mask)
{
    COstrelCollectorImpl engine(std::make_shared<ldap_directory_backend>(), nullptr);
    VARIANT array;
    VariantInit(&array);
    SAFEARRAYBOUND bound{static_cast<ULONG>(names.size()), 0};
    array.vt = VT_ARRAY | VT_BSTR;
    array.parray = SafeArrayCreate(VT_BSTR, 1, &bound);
    for (LONG i = 0; i < static_cast<LONG>(names.size()); ++i) {
        CComBSTR name(names[static_cast<std::size_t>(i)]);
        SafeArrayPutElement(array.parray, &i, name.m_str);
    }
    completion_wait done;
    std::vector<COstrelCollectorImpl::domain_info> infos;
    if (engine.Collect(&array, mask, &done) == S_OK) {
        done.wait();
        engine.Cancel(); // joins the finished worker
        infos = engine.GetInfos();
    }
    VariantClear(&array);
    return infos;
}

} // namespace ldap_collectors_test
