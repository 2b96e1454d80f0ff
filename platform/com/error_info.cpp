#include "platform/com/error_info.h"

#include "platform/com/error_object.h"

#include <new>

namespace {

// The calling thread's error information; released when the thread ends.
struct thread_error_slot {
    IErrorInfo* info = nullptr;
    ~thread_error_slot()
    {
        if (info != nullptr)
            info->Release();
    }
};

thread_local thread_error_slot error_slot;

} // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo)
{
    if (pperrinfo == nullptr)
        return E_INVALIDARG;
    auto* object = new (std::nothrow) com::CErrorObject();
    *pperrinfo = object;
    return object == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo)
{
    if (dwReserved != 0)
        return E_INVALIDARG;
    if (perrinfo != nullptr)
        perrinfo->AddRef();
    IErrorInfo* old = error_slot.info;
    error_slot.info = perrinfo;
    if (old != nullptr)
        old->Release();
    return S_OK;
}

HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo)
{
    if (pperrinfo == nullptr)
        return E_INVALIDARG;
    *pperrinfo = nullptr;
    if (dwReserved != 0)
        return E_INVALIDARG;
    *pperrinfo = error_slot.info;
    error_slot.info = nullptr;
    return *pperrinfo == nullptr ? S_FALSE : S_OK;
}
