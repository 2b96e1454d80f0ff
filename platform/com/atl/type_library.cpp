#include "platform/com/atl/type_library.h"

#include "platform/com/error_info.h"

#include <map>
#include <mutex>

namespace com::tlb {

namespace {

std::mutex& libraries_lock()
{
    static std::mutex lock;
    return lock;
}

std::map<GUID, const library_desc*>& libraries()
{
    static std::map<GUID, const library_desc*> known;
    return known;
}

char16_t fold(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool same_name(std::u16string_view a, const OLECHAR* b)
{
    if (b == nullptr)
        return false;
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == 0 || fold(a[i]) != fold(b[i]))
            return false;
    }
    return b[i] == 0;
}

void fill_exception(EXCEPINFO* info, HRESULT hr)
{
    *info = EXCEPINFO{};
    info->scode = hr;
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) == S_OK && error != nullptr) {
        error->GetSource(&info->bstrSource);
        error->GetDescription(&info->bstrDescription);
        error->GetHelpFile(&info->bstrHelpFile);
        error->GetHelpContext(&info->dwHelpContext);
        error->Release();
    }
}

} // namespace

const interface_desc* library_desc::find_interface(REFIID iid) const
{
    for (const auto& itf : interfaces) {
        if (itf.iid == iid)
            return &itf;
        for (const auto& alias : itf.aliases) {
            if (alias.iid == iid)
                return &itf;
        }
    }
    return nullptr;
}

const coclass_desc* library_desc::find_coclass(std::u16string_view name) const
{
    for (const auto& cls : coclasses) {
        if (cls.name == name)
            return &cls;
    }
    return nullptr;
}

void register_library(const library_desc& library)
{
    std::lock_guard guard(libraries_lock());
    libraries()[library.libid] = &library;
}

const library_desc* find_library(REFGUID libid)
{
    std::lock_guard guard(libraries_lock());
    auto it = libraries().find(libid);
    return it == libraries().end() ? nullptr : it->second;
}

HRESULT get_ids_of_names(const interface_desc& itf, LPOLESTR* names, UINT count, DISPID* ids)
{
    if (names == nullptr || ids == nullptr)
        return E_POINTER;
    if (count == 0)
        return S_OK;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    const member_desc* found = nullptr;
    for (const auto& m : itf.members) {
        if (same_name(m.name, names[0])) {
            found = &m;
            break;
        }
    }
    if (found == nullptr)
        return DISP_E_UNKNOWNNAME;
    ids[0] = found->dispid;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        // A property's get and put share a name; any of them may carry the parameter.
        bool named = false;
        for (const auto& m : itf.members) {
            if (m.dispid != found->dispid)
                continue;
            for (std::size_t k = 0; k < m.params.size() && !named; ++k) {
                if (same_name(m.params[k].name, names[i])) {
                    ids[i] = static_cast<DISPID>(k);
                    named = true;
                }
            }
            if (named)
                break;
        }
        if (!named)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

bool is_missing_argument(const VARIANT& arg)
{
    return arg.vt == VT_ERROR && arg.scode == DISP_E_PARAMNOTFOUND;
}

HRESULT invoke(const interface_desc& itf, void* iface, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* excep_info, UINT* arg_error)
{
    if (params == nullptr)
        return E_INVALIDARG;
    const member_desc* get = nullptr;
    const member_desc* method = nullptr;
    const member_desc* put = nullptr;
    const member_desc* putref = nullptr;
    for (const auto& m : itf.members) {
        if (m.dispid != id)
            continue;
        switch (m.kind) {
        case INVOKE_PROPERTYGET: get = &m; break;
        case INVOKE_FUNC: method = &m; break;
        case INVOKE_PROPERTYPUT: put = &m; break;
        case INVOKE_PROPERTYPUTREF: putref = &m; break;
        }
    }
    const member_desc* target = nullptr;
    if ((flags & DISPATCH_PROPERTYGET) && get != nullptr)
        target = get;
    else if ((flags & DISPATCH_METHOD) && method != nullptr)
        target = method;
    else if ((flags & DISPATCH_PROPERTYPUT) && put != nullptr)
        target = put;
    else if ((flags & DISPATCH_PROPERTYPUTREF) && putref != nullptr)
        target = putref;
    // A Let of a Set-only property (or a Set of a Let-only one) is no member: the caller
    // asked for an access the property does not have.
    if (target == nullptr || !target->invoke)
        return DISP_E_MEMBERNOTFOUND;

    const bool is_put = target->kind == INVOKE_PROPERTYPUT || target->kind == INVOKE_PROPERTYPUTREF;
    if (params->cNamedArgs > 0) {
        // The one named argument allowed is a put's value.
        if (!is_put || params->cNamedArgs != 1 || params->rgdispidNamedArgs == nullptr ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
            return DISP_E_NONAMEDARGS;
        }
    }
    if (params->cArgs > 0 && params->rgvarg == nullptr)
        return E_INVALIDARG;
    CComVariant local_result;
    VARIANT* out = result != nullptr ? result : static_cast<VARIANT*>(&local_result);
    if (result != nullptr)
        VariantInit(result);
    HRESULT hr = target->invoke(iface, *target, params, out, arg_error);
    if (FAILED(hr) && hr != DISP_E_BADPARAMCOUNT && hr != DISP_E_TYPEMISMATCH && hr != DISP_E_PARAMNOTOPTIONAL &&
        hr != DISP_E_OVERFLOW && excep_info != nullptr) {
        fill_exception(excep_info, hr);
        return DISP_E_EXCEPTION;
    }
    return hr;
}

} // namespace com::tlb
