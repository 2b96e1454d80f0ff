#pragma once
// The type-library description: a C++ data structure that lists a library's interfaces
// (members, dispatch identifiers, invoke kinds, parameter names and types, help strings),
// enumerations and coclasses. It drives IDispatchImpl (late binding by name), answers
// ITypeInfo / ITypeLib, and is what type-library registration writes.
//
// A member of a dual interface is described with the C++ member function it calls:
//     com::tlb::method(2, u"Collect", u"method Collect", &IOstrelCollector::Collect,
//                      {{u"pDomains"}, {u"flags"}})
//     com::tlb::property_get(1, u"Count", u"property Count", &IOstrelInfoCollection::get_Count,
//                            {{u"pVal", PARAMFLAG_FOUT | PARAMFLAG_FRETVAL}})
// Parameter types are deduced from the function (give vt only where a C++ type stands for
// several automation types: VT_BOOL for VARIANT_BOOL, VT_DATE for DATE). A dispatch-only
// (event) interface lists its members with com::tlb::event_method and explicit types.

#include "platform/com/dispatch.h"

#include <functional>
#include <string>
#include <vector>

namespace com::tlb {

struct member_desc;

struct param_desc {
    std::u16string name;
    USHORT flags = PARAMFLAG_FIN;
    VARTYPE vt = VT_EMPTY; // VT_EMPTY: deduced from the C++ parameter
};

// Calls the bound C++ member on iface (the interface the description belongs to).
using invoker = std::function<HRESULT(void* iface, const member_desc& member, DISPPARAMS* params, VARIANT* result,
                                      UINT* arg_error)>;

struct member_desc {
    DISPID dispid = DISPID_UNKNOWN;
    INVOKEKIND kind = INVOKE_FUNC;
    std::u16string name;
    std::u16string help;
    std::vector<param_desc> params;
    invoker invoke; // empty for a member of a dispatch-only interface
    WORD flags = 0; // FUNCFLAG_FHIDDEN, FUNCFLAG_FNONBROWSABLE
};

// An older identifier (and version) under which the same interface stays known.
struct alias_desc {
    IID iid{};
    std::u16string name;
    WORD major = 0;
    WORD minor = 0;
};

struct interface_desc {
    IID iid{};
    std::u16string name;
    std::u16string help;
    bool dual = true; // false: a dispatch-only interface (dispinterface)
    std::vector<member_desc> members;
    // The interface's own version; 0.0 means the library's.
    WORD major = 0;
    WORD minor = 0;
    std::vector<alias_desc> aliases{};
};

struct enum_desc {
    std::u16string name;
    std::u16string help;
    std::vector<std::pair<std::u16string, LONG>> values;
};

struct coclass_desc {
    CLSID clsid{};
    std::u16string name;
    std::u16string help;
    struct implemented {
        IID iid;
        INT flags; // IMPLTYPEFLAG_FDEFAULT, IMPLTYPEFLAG_FSOURCE
    };
    std::vector<implemented> interfaces;
    WORD flags = TYPEFLAG_FCANCREATE; // 0: listed, but no client can create it; TYPEFLAG_FCONTROL
    // The class's own version; 0.0 means the library's.
    WORD major = 0;
    WORD minor = 0;
};

struct library_desc {
    GUID libid{};
    std::u16string name;
    std::u16string help;
    WORD major = 1;
    WORD minor = 0;
    std::vector<interface_desc> interfaces;
    std::vector<enum_desc> enums;
    std::vector<coclass_desc> coclasses;

    // By the interface's identifier or one of its aliases'.
    const interface_desc* find_interface(REFIID iid) const;
    const coclass_desc* find_coclass(std::u16string_view name) const;
};

// Libraries known to this process, by identifier (a module registers its own when it is
// initialised; CComModule::set_type_library does it).
void register_library(const library_desc& library);
const library_desc* find_library(REFGUID libid);

// Late binding over one interface's description. GetIDsOfNames: names without regard to
// case; names after the first are the member's parameter names (their positions).
HRESULT get_ids_of_names(const interface_desc& itf, LPOLESTR* names, UINT count, DISPID* ids);
// An argument the caller left out (VT_ERROR holding DISP_E_PARAMNOTFOUND): a parameter that
// is not optional answers it with DISP_E_PARAMNOTOPTIONAL.
bool is_missing_argument(const VARIANT& arg);
// Invoke: finds the member by dispid and kind, converts the arguments, calls it. A failing
// result of the member becomes DISP_E_EXCEPTION with excep_info filled (from the thread's
// error information) when excep_info is given, else is returned as is.
HRESULT invoke(const interface_desc& itf, void* iface, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* excep_info, UINT* arg_error);

// Type information over a description (the library must outlive it).
HRESULT create_type_info(const library_desc& library, const interface_desc& itf, ITypeInfo** out);
HRESULT create_type_lib(const library_desc& library, ITypeLib** out);

// HKCR\TypeLib\{LIBID}\<major.minor> = name, with 0\win32 = module_path, FLAGS and HELPDIR;
// HKCR\Interface\{IID} = name with ProxyStubClsid32 and TypeLib for each interface and alias.
HRESULT register_type_library(const library_desc& library, const std::u16string& module_path);
// Removes what register_type_library wrote (the {LIBID} key too once no version is left).
HRESULT unregister_type_library(const library_desc& library);
// The registered library: HKCR\TypeLib\{LIBID}\<major.minor>\0\win32 names the module, which
// is loaded once (it registers its description when it starts). TYPE_E_LIBNOTREGISTERED when
// the registry names none, TYPE_E_CANTLOADLIBRARY when the module does not load or describes
// no such library.
HRESULT load_registered_type_lib(REFGUID libid, WORD major, WORD minor, ITypeLib** out);

} // namespace com::tlb

#include "platform/com/atl/dispatch_binding.h"
