#pragma once
// CProxy_IOstrelCollectorEvents: raises _IOstrelCollectorEvents on every connected sink, in
// slot order. Each slot is read under the object's lock and the sink is called outside it; a
// sink whose call fails is skipped and the next one is still called. Once the events are
// stopped (the object's last release) no further sink is called.

#include "collector/ostrel_collector_lib.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/atl/connection_point.h"
#include "platform/com/variant.h"

#include <memory>

template <class T>
class CProxy_IOstrelCollectorEvents : public IConnectionPointImpl<T, &DIID__IOstrelCollectorEvents> {
public:
    HRESULT Fire_CollectionCompleted(IOstrelInfoCollection* pInfos, BSTR ErrorString)
    {
        return fire(DISPID_CollectionCompleted, [&](VARIANT* a) {
            // Reverse order: the last parameter first.
            a[0].vt = VT_BSTR;
            a[0].bstrVal = ErrorString != nullptr ? SysAllocStringLen(ErrorString, SysStringLen(ErrorString)) : nullptr;
            a[1].vt = VT_DISPATCH;
            a[1].pdispVal = pInfos;
            if (pInfos != nullptr)
                pInfos->AddRef();
        });
    }

    HRESULT Fire_DomainCollected(BSTR sDomainName, BSTR ErrorString)
    {
        return fire(DISPID_DomainCollected, [&](VARIANT* a) {
            a[0].vt = VT_BSTR;
            a[0].bstrVal = ErrorString != nullptr ? SysAllocStringLen(ErrorString, SysStringLen(ErrorString)) : nullptr;
            a[1].vt = VT_BSTR;
            a[1].bstrVal = sDomainName != nullptr ? SysAllocStringLen(sDomainName, SysStringLen(sDomainName)) : nullptr;
        });
    }

protected:
    // No sink is called any more, not even by an event being raised now.
    void StopEvents() { m_raising.reset(); }

private:
    template <class Fill>
    HRESULT fire(DISPID id, Fill fill)
    {
        T* self = static_cast<T*>(this);
        // Outlives the object: a sink that destroys it from inside its call (an aggregated
        // object released on the worker thread) ends the loop without it being touched again.
        const std::weak_ptr<bool> raising = m_raising;
        VARIANT result;
        VariantInit(&result);
        result.vt = VT_I4;
        result.lVal = 0;
        const int count = this->m_vec.GetSize();
        for (int i = 0; i < count; ++i) {
            if (raising.expired())
                break;
            self->Lock();
            CComPtr<IUnknown> sink = this->m_vec.GetAt(i);
            self->Unlock();
            if (!sink)
                continue;
            CComQIPtr<IDispatch> dispatch(sink.p);
            if (!dispatch)
                continue;
            VARIANT args[2];
            VariantInit(&args[0]);
            VariantInit(&args[1]);
            fill(args);
            DISPPARAMS params{args, nullptr, 2, 0};
            VariantClear(&result);
            dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
            VariantClear(&args[0]);
            VariantClear(&args[1]);
        }
        return result.vt == VT_I4 ? result.lVal : S_OK;
    }

    std::shared_ptr<bool> m_raising = std::make_shared<bool>(true);
};
