#pragma once
// Type-library members of the forms runtime's objects: each member of a description names
// the Qt property, invokable or signal that implements it, and its Invoke reaches that member
// through the runtime's late binding (late_binding.h) with the arguments converted to the
// described types (DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH with the argument's index).
// A library written with these is the one table of its classes' members: DISPIDs, kinds,
// types and help strings for dispatch callers, names for callers by name.
//
//     interface_desc{IID__KyLabel, u"_KyLabel", u"", true, forms::tlb::members({
//         forms::tlb::property(DISPID_CAPTION, u"Caption", VT_BSTR, "gL"),
//         {forms::tlb::method(0x60030057, u"Refresh")},
//     })}

#include "platform/com/atl/type_library.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace forms::tlb {

using com::tlb::member_desc;
using com::tlb::param_desc;

// A property's accessors in interface order, one letter each: g Get, l Let, s Set, L Let and
// S Set taking the value by reference. `index` are the arguments of a parameterised property.
std::vector<member_desc> property(DISPID id, std::u16string name, VARTYPE type, const char* kinds,
                                  std::u16string help = {}, WORD flags = 0, std::vector<param_desc> index = {});
// A method; `result` VT_EMPTY for none.
member_desc method(DISPID id, std::u16string name, std::vector<param_desc> params = {}, VARTYPE result = VT_EMPTY,
                   std::u16string help = {}, WORD flags = 0);
// An event of a source interface (a signal of the class).
member_desc event(DISPID id, std::u16string name, std::vector<param_desc> params = {}, std::u16string help = {});

// An argument by value and one by reference.
param_desc in(std::u16string name, VARTYPE type);
param_desc ref(std::u16string name, VARTYPE type);

// The members of an interface, in order, from groups of them.
std::vector<member_desc> members(std::initializer_list<std::vector<member_desc>> groups);

} // namespace forms::tlb
