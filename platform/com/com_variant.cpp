#include "platform/com/dispatch.h"
#include "platform/com/safearray.h"
#include "platform/com/variant.h"

#include <cstring>

CComVariant::CComVariant(const VARIANT& src)
{
    VariantInit(this);
    VariantCopy(this, &src);
}

CComVariant::CComVariant(const CComVariant& src) : VARIANT()
{
    VariantInit(this);
    VariantCopy(this, &src);
}

CComVariant::CComVariant(CComVariant&& src) noexcept : VARIANT()
{
    std::memcpy(static_cast<VARIANT*>(this), static_cast<VARIANT*>(&src), sizeof(VARIANT));
    VariantInit(&src);
}

CComVariant::CComVariant(const OLECHAR* text)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = SysAllocString(text);
}

CComVariant::CComVariant(const CComBSTR& text)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = text.Copy();
}

CComVariant::CComVariant(const char* utf8)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = utf8 == nullptr ? nullptr : com::bstr_from_utf8(utf8);
}

CComVariant::CComVariant(bool value) noexcept
{
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

CComVariant::CComVariant(int value, VARTYPE type) noexcept
{
    VariantInit(this);
    if (type == VT_ERROR) {
        vt = VT_ERROR;
        scode = value;
    } else if (type == VT_INT) {
        vt = VT_INT;
        intVal = value;
    } else {
        vt = VT_I4;
        lVal = value;
    }
}

CComVariant::CComVariant(BYTE value) noexcept
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = value;
}

CComVariant::CComVariant(SHORT value) noexcept
{
    VariantInit(this);
    vt = VT_I2;
    iVal = value;
}

CComVariant::CComVariant(double value, VARTYPE type) noexcept
{
    VariantInit(this);
    if (type == VT_DATE) {
        vt = VT_DATE;
        date = value;
    } else {
        vt = VT_R8;
        dblVal = value;
    }
}

CComVariant::CComVariant(float value) noexcept
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = value;
}

CComVariant::CComVariant(LONGLONG value) noexcept
{
    VariantInit(this);
    vt = VT_I8;
    llVal = value;
}

CComVariant::CComVariant(IDispatch* value) noexcept
{
    VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = value;
    if (value != nullptr)
        value->AddRef();
}

CComVariant::CComVariant(IUnknown* value) noexcept
{
    VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = value;
    if (value != nullptr)
        value->AddRef();
}

CComVariant::CComVariant(const SAFEARRAY* array)
{
    VariantInit(this);
    SAFEARRAY* copy = nullptr;
    VARTYPE element = VT_EMPTY;
    auto* source = const_cast<SAFEARRAY*>(array);
    if (source != nullptr && SUCCEEDED(SafeArrayGetVartype(source, &element)) &&
        SUCCEEDED(SafeArrayCopy(source, &copy))) {
        vt = static_cast<VARTYPE>(VT_ARRAY | element);
        parray = copy;
    } else if (source != nullptr) {
        vt = VT_ERROR;
        scode = E_OUTOFMEMORY;
    }
}

CComVariant& CComVariant::operator=(const CComVariant& src)
{
    if (this != &src)
        VariantCopy(this, &src);
    return *this;
}

CComVariant& CComVariant::operator=(CComVariant&& src) noexcept
{
    if (this != &src) {
        Clear();
        std::memcpy(static_cast<VARIANT*>(this), static_cast<VARIANT*>(&src), sizeof(VARIANT));
        VariantInit(&src);
    }
    return *this;
}

CComVariant& CComVariant::operator=(const VARIANT& src)
{
    if (static_cast<const VARIANT*>(this) != &src)
        VariantCopy(this, &src);
    return *this;
}

CComVariant& CComVariant::operator=(const OLECHAR* text)
{
    BSTR copy = SysAllocString(text);
    Clear();
    vt = VT_BSTR;
    bstrVal = copy;
    return *this;
}

CComVariant& CComVariant::operator=(bool value)
{
    Clear();
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return *this;
}

CComVariant& CComVariant::operator=(int value)
{
    Clear();
    vt = VT_I4;
    lVal = value;
    return *this;
}

HRESULT CComVariant::Attach(VARIANT* src)
{
    if (src == nullptr)
        return E_INVALIDARG;
    HRESULT hr = Clear();
    if (FAILED(hr))
        return hr;
    std::memcpy(static_cast<VARIANT*>(this), src, sizeof(VARIANT));
    src->vt = VT_EMPTY;
    return S_OK;
}

HRESULT CComVariant::Detach(VARIANT* dest)
{
    if (dest == nullptr)
        return E_POINTER;
    HRESULT hr = VariantClear(dest);
    if (FAILED(hr))
        return hr;
    std::memcpy(dest, static_cast<VARIANT*>(this), sizeof(VARIANT));
    VariantInit(this);
    return S_OK;
}

HRESULT CComVariant::ChangeType(VARTYPE type, const VARIANT* src)
{
    return VariantChangeType(this, src == nullptr ? this : src, 0, type);
}

HRESULT CComVariant::CopyTo(BSTR* out) const
{
    if (out == nullptr)
        return E_POINTER;
    if (vt != VT_BSTR)
        return DISP_E_TYPEMISMATCH;
    if (bstrVal == nullptr) {
        *out = nullptr;
        return S_OK;
    }
    *out = SysAllocStringByteLen(reinterpret_cast<const char*>(bstrVal), SysStringByteLen(bstrVal));
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

bool CComVariant::operator==(const VARIANT& other) const noexcept
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_BSTR: return com::bstr_view(bstrVal) == com::bstr_view(other.bstrVal);
    case VT_I1:
    case VT_UI1: return bVal == other.bVal;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL: return iVal == other.iVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR: return lVal == other.lVal;
    case VT_R4: return fltVal == other.fltVal;
    case VT_R8: return dblVal == other.dblVal;
    case VT_DATE: return date == other.date;
    default: return llVal == other.llVal;
    }
}
