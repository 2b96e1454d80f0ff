#include "platform/com/error_object.h"

namespace com {

HRESULT CErrorObject::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IErrorInfo) {
        *ppv = static_cast<IErrorInfo*>(this);
    } else if (riid == IID_ICreateErrorInfo) {
        *ppv = static_cast<ICreateErrorInfo*>(this);
    } else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CErrorObject::AddRef() { return ++refs_; }

ULONG CErrorObject::Release()
{
    ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CErrorObject::copy_out(const CComBSTR& field, BSTR* out)
{
    if (out == nullptr)
        return E_INVALIDARG;
    std::lock_guard guard(lock_);
    return field.CopyTo(out);
}

HRESULT CErrorObject::store(CComBSTR& field, LPOLESTR text)
{
    CComBSTR copy(text);
    if (text != nullptr && !copy)
        return E_OUTOFMEMORY;
    std::lock_guard guard(lock_);
    field = std::move(copy);
    return S_OK;
}

HRESULT CErrorObject::GetGUID(GUID* pGUID)
{
    if (pGUID == nullptr)
        return E_INVALIDARG;
    std::lock_guard guard(lock_);
    *pGUID = guid_;
    return S_OK;
}

HRESULT CErrorObject::GetSource(BSTR* out) { return copy_out(source_, out); }
HRESULT CErrorObject::GetDescription(BSTR* out) { return copy_out(description_, out); }
HRESULT CErrorObject::GetHelpFile(BSTR* out) { return copy_out(help_file_, out); }

HRESULT CErrorObject::GetHelpContext(DWORD* out)
{
    if (out == nullptr)
        return E_INVALIDARG;
    std::lock_guard guard(lock_);
    *out = help_context_;
    return S_OK;
}

HRESULT CErrorObject::SetGUID(REFGUID rguid)
{
    std::lock_guard guard(lock_);
    guid_ = rguid;
    return S_OK;
}

HRESULT CErrorObject::SetSource(LPOLESTR text) { return store(source_, text); }
HRESULT CErrorObject::SetDescription(LPOLESTR text) { return store(description_, text); }
HRESULT CErrorObject::SetHelpFile(LPOLESTR text) { return store(help_file_, text); }

HRESULT CErrorObject::SetHelpContext(DWORD context)
{
    std::lock_guard guard(lock_);
    help_context_ = context;
    return S_OK;
}

} // namespace com
