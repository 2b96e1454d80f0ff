#pragma once
// What a test needs to run the collection engine over a list of names and wait for its end:
// the names as the string array Collect takes, and a callback that records when each domain
// was done and the engine's results at the end; the lines of an entry's error text.

#include "collector/ostrel_collector_impl.h"

#include "platform/com/bstr.h"
#include "platform/com/safearray.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace netcol_test {

using clock_type = std::chrono::steady_clock;

// A VT_ARRAY|VT_BSTR variant of the names; cleared by the destructor.
struct name_array {
    explicit name_array(const std::vector<std::u16string>& names)
    {
        VariantInit(&v);
        SAFEARRAYBOUND bound{static_cast<ULONG>(names.size()), 0};
        v.vt = VT_ARRAY | VT_BSTR;
        v.parray = SafeArrayCreate(VT_BSTR, 1, &bound);
        for (LONG i = 0; i < static_cast<LONG>(names.size()); ++i) {
            BSTR name = SysAllocString(names[static_cast<std::size_t>(i)].c_str());
            SafeArrayPutElement(v.parray, &i, name);
            SysFreeString(name);
        }
    }
    ~name_array() { VariantClear(&v); }
    VARIANT v;
};

class recorder : public COstrelCollectorImpl::collector_callback {
public:
    explicit recorder(COstrelCollectorImpl& engine) : m_engine(engine) {}
    void DomainCollected(const std::u16string&, const std::u16string&) override
    {
        std::lock_guard lock(mutex);
        collected_at.push_back(clock_type::now());
    }
    void CollectionComplete() override
    {
        std::lock_guard lock(mutex);
        infos = m_engine.GetInfos();
        completed = true;
        done.notify_all();
    }
    void wait()
    {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return completed; });
    }

    std::mutex mutex;
    std::condition_variable done;
    bool completed = false;
    std::vector<clock_type::time_point> collected_at;
    std::vector<COstrelCollectorImpl::domain_info> infos;

private:
    COstrelCollectorImpl& m_engine;
};

// The lines of an entry's error text, without their CR LF (each must end in one).
inline std::vector<std::u16string> lines_of(const std::u16string& text)
{
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

// The engine, with no directory half (every bind fails) and `network` as its management half,
// run over `names` to its end: its results, and when each domain was done.
inline std::vector<COstrelCollectorImpl::domain_info> collect_over(
    const std::shared_ptr<network_backend>& network, const std::vector<std::u16string>& names,
    std::vector<clock_type::time_point>* collected_at, const std::shared_ptr<directory_backend>& directory = nullptr)
{
    COstrelCollectorImpl engine(directory, network);
    recorder rec(engine);
    name_array array(names);
    EXPECT_EQ(engine.Collect(&array.v, oxcNetwork, &rec), S_OK);
    rec.wait();
    if (collected_at != nullptr)
        *collected_at = rec.collected_at;
    return rec.infos;
}

} // namespace netcol_test
