#pragma once
// An event sink of _IOstrelCollectorEvents for tests: records each call with its thread,
// its name or collection and its error text, and can be told to fail.

#include "collector/ostrel_collector_lib.h"
#include "platform/com/bstr.h"
#include "platform/com/threading.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace collector_test {

struct sink_call {
    DISPID id;
    DWORD thread;
    std::u16string name; // DomainCollected
    IDispatch* infos;    // CollectionCompleted (held)
    bool error_is_null;
    std::u16string error;
    int sink_tag;
};

class recording_sink final : public IDispatch {
public:
    recording_sink(int tag, std::vector<sink_call>& log, std::mutex& mutex, HANDLE completed)
        : m_tag(tag), m_log(log), m_mutex(mutex), m_completed(completed)
    {
    }
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID__IOstrelCollectorEvents) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override { return --m_refs; } // lives on the test's stack
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        sink_call call{id, GetCurrentThreadId(), {}, nullptr, false, {}, m_tag};
        if (params == nullptr || params->cArgs != 2)
            return DISP_E_BADPARAMCOUNT;
        const VARIANT& error = params->rgvarg[0];
        const VARIANT& first = params->rgvarg[1];
        call.error_is_null = error.vt == VT_BSTR && error.bstrVal == nullptr;
        if (error.vt == VT_BSTR && error.bstrVal != nullptr)
            call.error = std::u16string(error.bstrVal, SysStringLen(error.bstrVal));
        if (id == DISPID_DomainCollected && first.vt == VT_BSTR && first.bstrVal != nullptr)
            call.name = std::u16string(first.bstrVal, SysStringLen(first.bstrVal));
        if (id == DISPID_CollectionCompleted && first.vt == VT_DISPATCH && first.pdispVal != nullptr) {
            call.infos = first.pdispVal;
            call.infos->AddRef();
        }
        {
            std::lock_guard lock(m_mutex);
            m_log.push_back(call);
        }
        if (on_call)
            on_call(id);
        if (id == DISPID_CollectionCompleted && m_completed != nullptr)
            SetEvent(m_completed);
        return fail ? E_FAIL : S_OK;
    }

    bool fail = false;
    std::function<void(DISPID)> on_call;

private:
    int m_tag;
    std::vector<sink_call>& m_log;
    std::mutex& m_mutex;
    HANDLE m_completed;
    std::atomic<ULONG> m_refs{1};
};

} // namespace collector_test
