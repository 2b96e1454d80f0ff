#pragma once
// Binding of description members to C++ member functions: each parameter's automation type
// is deduced from its C++ type, and the VARIANT arguments of Invoke (reverse order, by value
// or by reference) are converted to the parameters and the [out, retval] value back.

#include "platform/com/atl/type_library.h"

#include <cstdint>
#include <stdexcept>
#include <tuple>
#include <type_traits>
#include <utility>

namespace com::tlb::detail {

template <class T>
constexpr bool is_interface_v = std::is_class_v<T>&& std::is_base_of_v<IUnknown, T>;

// The automation type of a by-value C++ type.
template <class T>
constexpr VARTYPE scalar_vt()
{
    if constexpr (std::is_enum_v<T>)
        return VT_I4;
    else if constexpr (std::is_same_v<T, bool>)
        return VT_BOOL;
    else if constexpr (std::is_same_v<T, std::int8_t> || std::is_same_v<T, char>)
        return VT_I1;
    else if constexpr (std::is_same_v<T, std::uint8_t>)
        return VT_UI1;
    else if constexpr (std::is_same_v<T, std::int16_t>)
        return VT_I2;
    else if constexpr (std::is_same_v<T, std::uint16_t>)
        return VT_UI2;
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return VT_I4;
    else if constexpr (std::is_same_v<T, std::uint32_t>)
        return VT_UI4;
    else if constexpr (std::is_same_v<T, std::int64_t>)
        return VT_I8;
    else if constexpr (std::is_same_v<T, std::uint64_t>)
        return VT_UI8;
    else if constexpr (std::is_same_v<T, float>)
        return VT_R4;
    else if constexpr (std::is_same_v<T, double>)
        return VT_R8;
    else if constexpr (std::is_same_v<T, BSTR>)
        return VT_BSTR;
    else if constexpr (std::is_same_v<T, VARIANT>)
        return VT_VARIANT;
    else
        return VT_EMPTY;
}

template <class T>
constexpr VARTYPE deduced_vt()
{
    if constexpr (std::is_pointer_v<T>) {
        using P = std::remove_pointer_t<T>;
        if constexpr (std::is_same_v<T, BSTR>)
            return VT_BSTR;
        else if constexpr (is_interface_v<P>)
            return std::is_base_of_v<IDispatch, P> ? VT_DISPATCH : VT_UNKNOWN;
        else if constexpr (std::is_pointer_v<P> && is_interface_v<std::remove_pointer_t<P>>)
            return static_cast<VARTYPE>(
                (std::is_base_of_v<IDispatch, std::remove_pointer_t<P>> ? VT_DISPATCH : VT_UNKNOWN) | VT_BYREF);
        else if constexpr (std::is_same_v<P, SAFEARRAY*>)
            return VT_ARRAY | VT_BYREF;
        else
            return static_cast<VARTYPE>(scalar_vt<P>() | VT_BYREF);
    } else {
        return scalar_vt<T>();
    }
}

// Writes a scalar into a variant of type vt (no conversion: the type says where it goes).
template <class T>
void put_scalar(VARIANT& v, VARTYPE vt, T value)
{
    VariantInit(&v);
    v.vt = vt;
    switch (vt) {
    case VT_BOOL: v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_I1: v.cVal = static_cast<CHAR>(value); break;
    case VT_UI1: v.bVal = static_cast<BYTE>(value); break;
    case VT_I2: v.iVal = static_cast<SHORT>(value); break;
    case VT_UI2: v.uiVal = static_cast<USHORT>(value); break;
    case VT_I4:
    case VT_INT: v.lVal = static_cast<LONG>(value); break;
    case VT_UI4:
    case VT_UINT: v.ulVal = static_cast<ULONG>(value); break;
    case VT_ERROR: v.scode = static_cast<SCODE>(value); break;
    case VT_I8: v.llVal = static_cast<LONGLONG>(value); break;
    case VT_UI8: v.ullVal = static_cast<ULONGLONG>(value); break;
    case VT_R4: v.fltVal = static_cast<FLOAT>(value); break;
    case VT_R8: v.dblVal = static_cast<DOUBLE>(value); break;
    case VT_DATE: v.date = static_cast<DATE>(value); break;
    case VT_CY: v.cyVal.int64 = static_cast<LONGLONG>(value); break;
    default: v.vt = VT_EMPTY; break;
    }
}

template <class T>
T get_scalar(const VARIANT& v)
{
    switch (v.vt) {
    case VT_BOOL: return static_cast<T>(v.boolVal);
    case VT_I1: return static_cast<T>(v.cVal);
    case VT_UI1: return static_cast<T>(v.bVal);
    case VT_I2: return static_cast<T>(v.iVal);
    case VT_UI2: return static_cast<T>(v.uiVal);
    case VT_I4:
    case VT_INT: return static_cast<T>(v.lVal);
    case VT_UI4:
    case VT_UINT: return static_cast<T>(v.ulVal);
    case VT_ERROR: return static_cast<T>(v.scode);
    case VT_I8: return static_cast<T>(v.llVal);
    case VT_UI8: return static_cast<T>(v.ullVal);
    case VT_R4: return static_cast<T>(v.fltVal);
    case VT_R8: return static_cast<T>(v.dblVal);
    case VT_DATE: return static_cast<T>(v.date);
    case VT_CY: return static_cast<T>(v.cyVal.int64);
    default: return T{};
    }
}

// The argument variant itself, or what a VT_VARIANT|VT_BYREF one refers to.
inline VARIANT* deref_variant(VARIANT* arg)
{
    while (arg != nullptr && arg->vt == (VT_VARIANT | VT_BYREF))
        arg = arg->pvarVal;
    return arg;
}

// One parameter of a call: loaded from its argument (null for the [out, retval] one),
// handed to the function, and, for the retval, stored into the result.
template <class T, class Enable = void>
struct slot;

// By-value scalars and enums.
template <class T>
struct slot<T, std::enable_if_t<std::is_arithmetic_v<T> || std::is_enum_v<T>>> {
    T value{};
    HRESULT load(VARIANT* arg, const param_desc& p)
    {
        if (arg == nullptr)
            return DISP_E_PARAMNOTOPTIONAL;
        CComVariant converted;
        HRESULT hr = VariantChangeType(&converted, arg, 0, p.vt);
        if (FAILED(hr))
            return hr;
        if constexpr (std::is_enum_v<T>) {
            value = static_cast<T>(get_scalar<std::underlying_type_t<T>>(converted));
        } else if constexpr (std::is_same_v<T, bool>) {
            value = get_scalar<LONGLONG>(converted) != 0;
        } else {
            value = get_scalar<T>(converted);
        }
        return S_OK;
    }
    T get() { return value; }
    void store(VARIANT*, const param_desc&) {}
};

// A string in: borrowed from the argument, or converted.
template <>
struct slot<BSTR> {
    BSTR value = nullptr;
    CComVariant converted;
    HRESULT load(VARIANT* arg, const param_desc&)
    {
        if (arg == nullptr)
            return DISP_E_PARAMNOTOPTIONAL;
        arg = deref_variant(arg);
        if (arg->vt == VT_BSTR) {
            value = arg->bstrVal;
            return S_OK;
        }
        if (arg->vt == (VT_BSTR | VT_BYREF)) {
            value = *arg->pbstrVal;
            return S_OK;
        }
        HRESULT hr = VariantChangeType(&converted, arg, 0, VT_BSTR);
        if (FAILED(hr))
            return hr;
        value = converted.bstrVal;
        return S_OK;
    }
    BSTR get() { return value; }
    void store(VARIANT*, const param_desc&) {}
};

// A VARIANT by value: the argument as it is (the callee does not own it).
template <>
struct slot<VARIANT> {
    VARIANT value{};
    HRESULT load(VARIANT* arg, const param_desc&)
    {
        if (arg == nullptr)
            return DISP_E_PARAMNOTOPTIONAL;
        value = *deref_variant(arg);
        return S_OK;
    }
    VARIANT get() { return value; }
    void store(VARIANT*, const param_desc&) {}
};

// A VARIANT*: in, the argument (by-reference variants followed); out, a local variant.
template <>
struct slot<VARIANT*> {
    VARIANT* value = nullptr;
    CComVariant local;
    HRESULT load(VARIANT* arg, const param_desc&)
    {
        value = arg == nullptr ? static_cast<VARIANT*>(&local) : deref_variant(arg);
        return S_OK;
    }
    VARIANT* get() { return value; }
    void store(VARIANT* result, const param_desc&)
    {
        if (result != nullptr)
            local.Detach(result);
    }
};

// An interface in: asked for from the argument's object.
template <class I>
struct slot<I*, std::enable_if_t<is_interface_v<I>>> {
    I* value = nullptr;
    ~slot()
    {
        if (value != nullptr)
            value->Release();
    }
    HRESULT load(VARIANT* arg, const param_desc&)
    {
        if (arg == nullptr)
            return DISP_E_PARAMNOTOPTIONAL;
        arg = deref_variant(arg);
        IUnknown* object = nullptr;
        switch (arg->vt) {
        case VT_EMPTY: return S_OK;
        case VT_DISPATCH: object = reinterpret_cast<IUnknown*>(arg->pdispVal); break;
        case VT_UNKNOWN: object = arg->punkVal; break;
        case VT_DISPATCH | VT_BYREF: object = reinterpret_cast<IUnknown*>(*arg->ppdispVal); break;
        case VT_UNKNOWN | VT_BYREF: object = *arg->ppunkVal; break;
        default: return DISP_E_TYPEMISMATCH;
        }
        if (object == nullptr)
            return S_OK;
        if constexpr (std::is_same_v<I, IUnknown>) {
            object->AddRef();
            value = object;
            return S_OK;
        } else {
            return FAILED(object->QueryInterface(com::uuidof<I>(), reinterpret_cast<void**>(&value)))
                       ? DISP_E_TYPEMISMATCH
                       : S_OK;
        }
    }
    I* get() { return value; }
    void store(VARIANT*, const param_desc&) {}
};

// An interface out: the reference the callee hands out goes into the result.
template <class I>
struct slot<I**, std::enable_if_t<is_interface_v<I>>> {
    I* value = nullptr;
    ~slot()
    {
        if (value != nullptr)
            value->Release();
    }
    HRESULT load(VARIANT* arg, const param_desc&) { return arg == nullptr ? S_OK : DISP_E_TYPEMISMATCH; }
    I** get() { return &value; }
    void store(VARIANT* result, const param_desc&)
    {
        if (result == nullptr)
            return;
        VariantInit(result);
        if constexpr (std::is_base_of_v<IDispatch, I>) {
            result->vt = VT_DISPATCH;
            result->pdispVal = value;
        } else {
            result->vt = VT_UNKNOWN;
            result->punkVal = value;
        }
        value = nullptr;
    }
};

// A string out or in/out: the caller's string when it passed one by reference, else a local.
template <>
struct slot<BSTR*> {
    BSTR local = nullptr;
    BSTR* value = &local;
    ~slot() { SysFreeString(local); }
    HRESULT load(VARIANT* arg, const param_desc&)
    {
        if (arg == nullptr)
            return S_OK;
        arg = deref_variant(arg);
        if (arg->vt == (VT_BSTR | VT_BYREF)) {
            value = arg->pbstrVal;
            return S_OK;
        }
        CComVariant converted;
        HRESULT hr = VariantChangeType(&converted, arg, 0, VT_BSTR);
        if (FAILED(hr))
            return hr;
        local = converted.bstrVal;
        converted.vt = VT_EMPTY;
        return S_OK;
    }
    BSTR* get() { return value; }
    void store(VARIANT* result, const param_desc&)
    {
        if (result == nullptr)
            return;
        VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = local;
        local = nullptr;
    }
};

// A scalar out or in/out.
template <class T>
struct slot<T*, std::enable_if_t<std::is_arithmetic_v<T> || std::is_enum_v<T>>> {
    T local{};
    T* value = &local;
    HRESULT load(VARIANT* arg, const param_desc& p)
    {
        if (arg == nullptr)
            return S_OK;
        arg = deref_variant(arg);
        if (arg->vt == p.vt) {
            value = static_cast<T*>(arg->byref);
            return S_OK;
        }
        slot<T> by_value;
        param_desc inner = p;
        inner.vt = static_cast<VARTYPE>(p.vt & ~VT_BYREF);
        HRESULT hr = by_value.load(arg, inner);
        local = by_value.value;
        return hr;
    }
    T* get() { return value; }
    void store(VARIANT* result, const param_desc& p)
    {
        if (result == nullptr)
            return;
        if constexpr (std::is_enum_v<T>) {
            put_scalar(*result, static_cast<VARTYPE>(p.vt & ~VT_BYREF), static_cast<std::underlying_type_t<T>>(local));
        } else {
            put_scalar(*result, static_cast<VARTYPE>(p.vt & ~VT_BYREF), local);
        }
    }
};

template <class I, class... A, std::size_t... K>
HRESULT call(I* self, HRESULT (I::*pm)(A...), const member_desc& d, DISPPARAMS* dp, VARIANT* result, UINT* arg_error,
             std::index_sequence<K...>)
{
    constexpr std::size_t n = sizeof...(A);
    const bool has_retval = n > 0 && (d.params[n - 1].flags & PARAMFLAG_FRETVAL) != 0;
    const UINT expected = static_cast<UINT>(n - (has_retval ? 1 : 0));
    if (dp->cArgs != expected)
        return DISP_E_BADPARAMCOUNT;
    std::tuple<slot<A>...> values; // not "slots": Qt defines that word as a macro
    HRESULT hr = S_OK;
    // Parameter k is rgvarg[cArgs - 1 - k]; the retval has no argument.
    auto load_one = [&](auto& s, std::size_t k) {
        if (FAILED(hr))
            return;
        VARIANT* arg = k < expected ? &dp->rgvarg[expected - 1 - k] : nullptr;
        hr = arg != nullptr && is_missing_argument(*arg) && (d.params[k].flags & PARAMFLAG_FOPT) == 0
                 ? DISP_E_PARAMNOTOPTIONAL
                 : s.load(arg, d.params[k]);
        if (FAILED(hr) && arg_error != nullptr)
            *arg_error = static_cast<UINT>(expected - 1 - k);
    };
    (load_one(std::get<K>(values), K), ...);
    (void)load_one;
    if (FAILED(hr))
        return hr;
    hr = (self->*pm)(std::get<K>(values).get()...);
    if (SUCCEEDED(hr) && has_retval) {
        if constexpr (n > 0)
            std::get<n - 1>(values).store(result, d.params[n - 1]);
    }
    return hr;
}

template <class I, class... A>
member_desc bind(DISPID id, INVOKEKIND kind, std::u16string name, std::u16string help, HRESULT (I::*pm)(A...),
                 std::vector<param_desc> params)
{
    constexpr std::size_t n = sizeof...(A);
    if (params.size() > n)
        throw std::invalid_argument("more parameter descriptions than parameters");
    params.resize(n);
    const VARTYPE deduced[] = {deduced_vt<A>()..., VT_EMPTY};
    for (std::size_t k = 0; k < n; ++k) {
        if (params[k].vt == VT_EMPTY) {
            params[k].vt = deduced[k];
        } else if ((deduced[k] & VT_BYREF) != 0) {
            // A type given for a pointer parameter names what it points at.
            params[k].vt = static_cast<VARTYPE>(params[k].vt | VT_BYREF);
        }
        if (params[k].vt == VT_EMPTY)
            throw std::invalid_argument("a parameter type that automation cannot carry");
    }
    member_desc m;
    m.dispid = id;
    m.kind = kind;
    m.name = std::move(name);
    m.help = std::move(help);
    m.params = std::move(params);
    m.invoke = [pm](void* iface, const member_desc& d, DISPPARAMS* dp, VARIANT* result, UINT* arg_error) {
        return call(static_cast<I*>(iface), pm, d, dp, result, arg_error, std::index_sequence_for<A...>{});
    };
    return m;
}

} // namespace com::tlb::detail

namespace com::tlb {

template <class I, class... A>
member_desc method(DISPID id, std::u16string name, std::u16string help, HRESULT (I::*pm)(A...),
                   std::vector<param_desc> params = {})
{
    return detail::bind(id, INVOKE_FUNC, std::move(name), std::move(help), pm, std::move(params));
}

template <class I, class... A>
member_desc property_get(DISPID id, std::u16string name, std::u16string help, HRESULT (I::*pm)(A...),
                         std::vector<param_desc> params = {})
{
    // The last parameter of a property get is its value: [out, retval] unless said otherwise.
    if (params.size() < sizeof...(A)) {
        params.resize(sizeof...(A));
        if (!params.empty()) {
            auto& last = params.back();
            if (last.name.empty())
                last.name = u"pVal";
            last.flags = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
        }
    }
    return detail::bind(id, INVOKE_PROPERTYGET, std::move(name), std::move(help), pm, std::move(params));
}

template <class I, class... A>
member_desc property_put(DISPID id, std::u16string name, std::u16string help, HRESULT (I::*pm)(A...),
                         std::vector<param_desc> params = {})
{
    return detail::bind(id, INVOKE_PROPERTYPUT, std::move(name), std::move(help), pm, std::move(params));
}

template <class I, class... A>
member_desc property_putref(DISPID id, std::u16string name, std::u16string help, HRESULT (I::*pm)(A...),
                            std::vector<param_desc> params = {})
{
    return detail::bind(id, INVOKE_PROPERTYPUTREF, std::move(name), std::move(help), pm, std::move(params));
}

// A member of a dispatch-only interface (no C++ function; types given explicitly).
inline member_desc event_method(DISPID id, std::u16string name, std::u16string help, std::vector<param_desc> params)
{
    member_desc m;
    m.dispid = id;
    m.kind = INVOKE_FUNC;
    m.name = std::move(name);
    m.help = std::move(help);
    m.params = std::move(params);
    return m;
}

} // namespace com::tlb
