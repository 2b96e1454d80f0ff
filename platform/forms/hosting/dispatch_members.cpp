#include "platform/forms/hosting/dispatch_members.h"

#include "platform/forms/core/dispatch_bridge.h"
#include "platform/forms/hosting/late_binding.h"

#include <QObject>

#include <stdexcept>

namespace forms::tlb {

namespace {

constexpr USHORT retval_flags = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;

enum class Access { Get, Let, Set, Call };

VARTYPE base_of(VARTYPE vt) { return static_cast<VARTYPE>(vt & ~VT_BYREF); }

bool is_retval(const param_desc& p) { return (p.flags & PARAMFLAG_FRETVAL) != 0; }

bool holds_object_or_nothing(const VARIANT& given)
{
    const VARIANT* arg = &given;
    while (arg->vt == (VT_VARIANT | VT_BYREF) && arg->pvarVal != nullptr)
        arg = arg->pvarVal;
    const VARTYPE base = base_of(arg->vt);
    return base == VT_EMPTY || base == VT_NULL || base == VT_DISPATCH || base == VT_UNKNOWN;
}

// One argument as the member's parameter type takes it.
HRESULT load_argument(const VARIANT& arg, VARTYPE type, QVariant& out)
{
    switch (base_of(type)) {
    case VT_VARIANT: return to_qvariant(arg, out);
    case VT_DISPATCH:
    case VT_UNKNOWN: return holds_object_or_nothing(arg) ? to_qvariant(arg, out) : DISP_E_TYPEMISMATCH;
    case VT_RECORD: return DISP_E_TYPEMISMATCH; // no VARIANT here carries a record
    default: break;
    }
    CComVariant converted;
    HRESULT hr = VariantChangeType(&converted, &arg, 0, base_of(type));
    if (FAILED(hr))
        return hr;
    return to_qvariant(converted, out);
}

// The arguments in parameter order (DISPPARAMS holds them in reverse).
HRESULT load_arguments(const member_desc& member, const DISPPARAMS* dp, QVariantList& args, UINT* arg_error)
{
    UINT expected = 0;
    for (const auto& p : member.params)
        expected += is_retval(p) ? 0 : 1;
    if (dp->cArgs != expected)
        return DISP_E_BADPARAMCOUNT;
    for (UINT k = 0; k < expected; ++k) {
        QVariant value;
        const UINT position = expected - 1 - k;
        const VARIANT& arg = dp->rgvarg[position];
        HRESULT hr = com::tlb::is_missing_argument(arg) && (member.params[k].flags & PARAMFLAG_FOPT) == 0
                         ? DISP_E_PARAMNOTOPTIONAL
                         : load_argument(arg, member.params[k].vt, value);
        if (FAILED(hr)) {
            if (arg_error != nullptr)
                *arg_error = position;
            return hr;
        }
        args.push_back(value);
    }
    return S_OK;
}

com::tlb::invoker reach(Access access, const std::u16string& name)
{
    const QString member = QString::fromStdU16String(name);
    return [access, member](void* iface, const member_desc& d, DISPPARAMS* dp, VARIANT* result,
                            UINT* arg_error) -> HRESULT {
        QVariantList args;
        HRESULT hr = load_arguments(d, dp, args, arg_error);
        if (FAILED(hr))
            return hr;
        auto* object = static_cast<QObject*>(iface);
        QVariant value;
        try {
            switch (access) {
            case Access::Get: value = forms::get(object, member, args); break;
            case Access::Let:
            case Access::Set:
                if (args.size() != 1) {
                    forms::call(object, member, args); // a parameterised property: the index, then the value
                } else if (access == Access::Let) {
                    forms::let(object, member, args.front());
                } else {
                    forms::set(object, member, args.front());
                }
                break;
            case Access::Call: value = forms::call(object, member, args); break;
            }
        } catch (const VbError& error) {
            return hresult_of(error);
        }
        if (!d.params.empty() && is_retval(d.params.back()) && result != nullptr)
            return from_qvariant(value, base_of(d.params.back().vt), *result);
        return S_OK;
    };
}

member_desc make(DISPID id, INVOKEKIND kind, Access access, std::u16string name, std::u16string help,
                 std::vector<param_desc> params, WORD flags)
{
    member_desc m;
    m.dispid = id;
    m.kind = kind;
    m.invoke = reach(access, name);
    m.name = std::move(name);
    m.help = std::move(help);
    m.params = std::move(params);
    m.flags = flags;
    return m;
}

std::vector<param_desc> with(std::vector<param_desc> params, param_desc last)
{
    params.push_back(std::move(last));
    return params;
}

} // namespace

param_desc in(std::u16string name, VARTYPE type) { return {std::move(name), PARAMFLAG_FIN, type}; }

param_desc ref(std::u16string name, VARTYPE type)
{
    return {std::move(name), PARAMFLAG_FIN | PARAMFLAG_FOUT, static_cast<VARTYPE>(type | VT_BYREF)};
}

std::vector<member_desc> property(DISPID id, std::u16string name, VARTYPE type, const char* kinds, std::u16string help,
                                  WORD flags, std::vector<param_desc> index)
{
    std::vector<member_desc> out;
    for (const char* k = kinds; *k != '\0'; ++k) {
        switch (*k) {
        case 'g':
            out.push_back(make(id, INVOKE_PROPERTYGET, Access::Get, name, help,
                               with(index, {u"retval", retval_flags, static_cast<VARTYPE>(type | VT_BYREF)}), flags));
            break;
        case 'l':
        case 'L':
            out.push_back(make(id, INVOKE_PROPERTYPUT, Access::Let, name, help,
                               with(index, *k == 'L' ? ref(u"value", type) : in(u"value", type)), flags));
            break;
        case 's':
        case 'S':
            out.push_back(make(id, INVOKE_PROPERTYPUTREF, Access::Set, name, help,
                               with(index, *k == 'S' ? ref(u"value", type) : in(u"value", type)), flags));
            break;
        default: throw std::invalid_argument("an accessor that is not g, l, L, s or S");
        }
    }
    return out;
}

member_desc method(DISPID id, std::u16string name, std::vector<param_desc> params, VARTYPE result, std::u16string help,
                   WORD flags)
{
    if (result != VT_EMPTY)
        params.push_back({u"retval", retval_flags, static_cast<VARTYPE>(result | VT_BYREF)});
    return make(id, INVOKE_FUNC, Access::Call, std::move(name), std::move(help), std::move(params), flags);
}

member_desc event(DISPID id, std::u16string name, std::vector<param_desc> params, std::u16string help)
{
    return com::tlb::event_method(id, std::move(name), std::move(help), std::move(params));
}

std::vector<member_desc> members(std::initializer_list<std::vector<member_desc>> groups)
{
    std::vector<member_desc> out;
    for (const auto& group : groups)
        out.insert(out.end(), group.begin(), group.end());
    return out;
}

} // namespace forms::tlb
