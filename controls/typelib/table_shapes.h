#pragma once
// The shapes every part of the control library's type library writes its tables in: a default
// dispatch interface, an event interface, an enumeration, a control class and a public class.
// Only the parts' own files include this.

#include "controls/typelib/identifiers.h"
#include "controls/typelib/kycomctl_library.h"
#include "platform/forms/hosting/dispatch_members.h"

#include <string>
#include <utility>
#include <vector>

namespace kycomctl::tables {

using namespace forms::tlb;
using com::tlb::alias_desc;
using com::tlb::coclass_desc;
using com::tlb::enum_desc;
using com::tlb::interface_desc;
using namespace kycomctl::ids;

// An interface's or a class's own version; 0.0 is the library's.
struct version {
    WORD major = 0;
    WORD minor = 0;
};

// The default interface of a control or public class, its members in interface order;
// `aliases` are the older identifiers under which it stays known. A dispatch interface, not a
// dual one: the members are Qt properties, invokables and signals reached through Invoke, and
// no vtable of them exists for a client to call (docs/controls.md, "The type library").
inline interface_desc dispatch_interface(const IID& iid, std::u16string name, std::vector<member_desc> members,
                                         version own = {}, std::vector<alias_desc> aliases = {})
{
    return {iid, std::move(name), u"", false, std::move(members), own.major, own.minor, std::move(aliases)};
}

// An event interface (dispatch only), its events in DISPID order.
inline interface_desc event_interface(const IID& iid, std::u16string name, std::vector<member_desc> events = {})
{
    return {iid, std::move(name), u"", false, std::move(events)};
}

inline enum_desc enumeration(std::u16string name, std::vector<std::pair<std::u16string, LONG>> values)
{
    return {std::move(name), u"", std::move(values)};
}

// A class with its default interface and, unless GUID_NULL, its event interface. A public class
// is creatable or only listed (no client can create it); a control is creatable and placed.
enum class placing { control, creatable, listed };

inline coclass_desc library_class(const CLSID& clsid, std::u16string name, placing how, const IID& interface,
                                  const IID& events = GUID_NULL, version own = {})
{
    std::vector<coclass_desc::implemented> implemented{{interface, IMPLTYPEFLAG_FDEFAULT}};
    if (events != GUID_NULL)
        implemented.push_back({events, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE});
    const WORD flags = how == placing::control     ? WORD{TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL}
                       : how == placing::creatable ? WORD{TYPEFLAG_FCANCREATE}
                                                   : WORD{0};
    return {clsid, std::move(name), u"", std::move(implemented), flags, own.major, own.minor};
}

// The arguments of a mouse event, with the coordinates named as the interface names them.
inline std::vector<param_desc> mouse_arguments(const char16_t* x = u"x", const char16_t* y = u"y")
{
    return {ref(u"Button", VT_I2), ref(u"Shift", VT_I2), ref(x, VT_R4), ref(y, VT_R4)};
}

} // namespace kycomctl::tables
