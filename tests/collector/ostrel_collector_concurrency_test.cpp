// One engine driven by several free-threaded callers at once, as clients of the multithreaded
// apartment may: Collect, Cancel and the destruction from several threads. Every run that
// Collect started ends with exactly one completion, and every worker is joined and its handle
// closed once (the sanitizer build of the unit tests watches the handles and the records).

#include "collector/ostrel_collector_impl.h"

#include "fake_backend.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using collector_test::fake_backend;

class counting_callback final : public COstrelCollectorImpl::collector_callback {
public:
    void DomainCollected(const std::u16string&, const std::u16string&) override { ++domains; }
    void CollectionComplete() override { ++completions; }
    std::atomic<int> domains{0};
    std::atomic<int> completions{0};
};

VARIANT names(int count)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_BSTR;
    v.parray = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(count));
    for (LONG i = 0; i < count; ++i) {
        BSTR name = SysAllocString(u"nt.test");
        SafeArrayPutElement(v.parray, &i, name);
        SysFreeString(name);
    }
    return v;
}

TEST(EngineUnderConcurrentCallers, EveryStartedRunCompletesOnceAndEveryWorkerIsJoined)
{
    constexpr int kCallers = 6;
    constexpr int kRounds = 40;
    auto backend = std::make_shared<fake_backend>();
    collector_test::install_standard_tables(*backend);
    counting_callback callback;
    std::atomic<int> started{0};
    {
        COstrelCollectorImpl engine(backend, backend);
        std::vector<std::thread> callers;
        for (int caller = 0; caller < kCallers; ++caller) {
            callers.emplace_back([&, caller] {
                CoInitializeEx(nullptr, COINIT_MULTITHREADED);
                VARIANT list = names(1 + caller % 3);
                for (int round = 0; round < kRounds; ++round) {
                    if ((round + caller) % 3 == 0) {
                        EXPECT_EQ(engine.Cancel(), S_OK);
                        continue;
                    }
                    const HRESULT hr = engine.Collect(&list, oxcUser, &callback);
                    EXPECT_EQ(hr, S_OK);
                    if (hr == S_OK)
                        ++started;
                }
                VariantClear(&list);
                CoUninitialize();
            });
        }
        for (auto& caller : callers)
            caller.join();
        // The last run may still be going: the destruction joins it.
    }
    EXPECT_EQ(callback.completions, started.load());
    EXPECT_EQ(backend.use_count(), 1); // no worker outlived the engine
}

} // namespace
