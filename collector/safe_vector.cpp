#include "collector/safe_vector.h"

#include "platform/win32/win_errors.h"

#include <vector>

CSafeVector::CSafeVector() { VariantInit(&m_var); }

CSafeVector::~CSafeVector() { VariantClear(&m_var); }

bool CSafeVector::CreateSimpleVector(VARTYPE type, ULONG count, LONG lower_bound)
{
    VariantClear(&m_var);
    if (count == 0)
        return false;
    SAFEARRAYBOUND bound{};
    bound.cElements = count;
    bound.lLbound = lower_bound;
    SAFEARRAY* array = SafeArrayCreate(type, 1, &bound);
    if (array == nullptr)
        return false;
    m_var.vt = static_cast<VARTYPE>(VT_ARRAY | type);
    m_var.parray = array;
    return true;
}

HRESULT CSafeVector::Redim(ULONG count, LONG lower_bound)
{
    SAFEARRAY* array = GetArrayPtr();
    if (array == nullptr)
        return E_INVALIDARG;
    SAFEARRAYBOUND bound{};
    bound.cElements = count;
    bound.lLbound = lower_bound;
    return SafeArrayRedim(array, &bound);
}

ULONG CSafeVector::GetArraySize() const
{
    if (!IsArray())
        return 1;
    SAFEARRAY* array = GetArrayPtr();
    if (array == nullptr)
        return 0;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return 0;
    return upper >= lower ? static_cast<ULONG>(upper - lower + 1) : 0;
}

LONG CSafeVector::GetLBound() const
{
    SAFEARRAY* array = GetArrayPtr();
    LONG lower = 0;
    if (array == nullptr || FAILED(SafeArrayGetLBound(array, 1, &lower)))
        return 0;
    return lower;
}

LONG CSafeVector::GetUBound() const
{
    SAFEARRAY* array = GetArrayPtr();
    LONG upper = 0;
    if (array == nullptr || FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return 0;
    return upper;
}

SAFEARRAY* CSafeVector::GetArrayPtr() const
{
    if (m_var.vt == VT_EMPTY || !IsArray())
        return nullptr;
    if ((m_var.vt & VT_BYREF) != 0)
        return m_var.pparray != nullptr ? *m_var.pparray : nullptr;
    return m_var.parray;
}

bool CSafeVector::IsArray() const { return (m_var.vt & VT_ARRAY) != 0; }

VARTYPE CSafeVector::GetType() const { return static_cast<VARTYPE>(m_var.vt & ~(VT_ARRAY | VT_BYREF)); }

bool CSafeVector::GetElem(LONG index, VARIANT* out) const
{
    if (out == nullptr)
        return false;
    VariantClear(out);
    if (!IsArray())
        return SUCCEEDED(VariantCopy(out, &m_var));
    SAFEARRAY* array = GetArrayPtr();
    if (array == nullptr)
        return false;
    const VARTYPE type = GetType();
    std::vector<unsigned char> buffer(SafeArrayGetElemsize(array) + sizeof(VARIANT));
    void* data = buffer.data();
    switch (type) {
    case VT_I4:
    case VT_DATE:
    case VT_UI1:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
    case VT_BOOL:
    case VT_VARIANT: break;
    default: return false;
    }
    if (type == VT_VARIANT)
        VariantInit(static_cast<VARIANT*>(data));
    if (FAILED(SafeArrayGetElement(array, &index, data)))
        return false;
    switch (type) {
    case VT_I4:
        out->vt = VT_I4;
        out->lVal = *static_cast<LONG*>(data);
        break;
    case VT_DATE:
        out->vt = VT_DATE;
        out->date = *static_cast<DATE*>(data);
        break;
    case VT_UI1:
        out->vt = VT_UI1;
        out->bVal = *static_cast<BYTE*>(data);
        break;
    case VT_BSTR:
        out->vt = VT_BSTR;
        out->bstrVal = *static_cast<BSTR*>(data);
        break;
    case VT_DISPATCH:
        out->vt = VT_DISPATCH;
        out->pdispVal = *static_cast<IDispatch**>(data);
        break;
    case VT_UNKNOWN:
        out->vt = VT_UNKNOWN;
        out->punkVal = *static_cast<IUnknown**>(data);
        break;
    case VT_BOOL:
        out->vt = VT_BOOL;
        out->boolVal = *static_cast<VARIANT_BOOL*>(data);
        break;
    case VT_VARIANT: {
        auto* fetched = static_cast<VARIANT*>(data);
        const HRESULT hr = VariantCopy(out, fetched);
        VariantClear(fetched);
        return SUCCEEDED(hr);
    }
    default: return false;
    }
    return true;
}

VARIANT CSafeVector::GetElem(LONG index) const
{
    VARIANT out;
    VariantInit(&out);
    if (!GetElem(index, &out))
        VariantClear(&out);
    return out;
}

bool CSafeVector::PutElem(LONG index, const VARIANT& value)
{
    if (!IsArray()) {
        VariantCopy(&m_var, &value);
        return false;
    }
    SAFEARRAY* array = GetArrayPtr();
    if (array == nullptr)
        return false;
    if (m_var.vt == (VT_ARRAY | VT_VARIANT))
        return SUCCEEDED(SafeArrayPutElement(array, &index, const_cast<VARIANT*>(&value)));
    if (value.vt != GetType())
        return false;
    void* data = nullptr;
    switch (value.vt) {
    case VT_I4: data = const_cast<LONG*>(&value.lVal); break;
    case VT_DATE: data = const_cast<DATE*>(&value.date); break;
    case VT_BOOL: data = const_cast<VARIANT_BOOL*>(&value.boolVal); break;
    case VT_UI1: data = const_cast<BYTE*>(&value.bVal); break;
    case VT_BSTR: data = value.bstrVal; break;
    case VT_DISPATCH: data = value.pdispVal; break;
    case VT_UNKNOWN: data = value.punkVal; break;
    default: return false;
    }
    return SUCCEEDED(SafeArrayPutElement(array, &index, data));
}

HRESULT CSafeVector::Detach(VARIANT* out)
{
    if (out == nullptr)
        return E_POINTER;
    const HRESULT hr = VariantClear(out);
    if (FAILED(hr))
        return hr;
    *out = m_var;
    VariantInit(&m_var);
    return S_OK;
}

HRESULT CSafeVector::CopyFrom(const VARIANT& source)
{
    VariantClear(&m_var);
    return VariantCopy(&m_var, const_cast<VARIANT*>(&source));
}
