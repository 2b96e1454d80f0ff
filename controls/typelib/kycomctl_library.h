#pragma once
// The control library's type library: every control's and public class's default dispatch
// interface and event interface, its enumerations and its classes, described once. It drives
// dispatch on the library's objects (forms::register_dispatch_library), late binding by DISPID
// and the type library's registration.

#include "platform/com/atl/type_library.h"

#include <vector>

namespace kycomctl {

const com::tlb::library_desc& library();

// The parts of the library, one per subsystem of controls.
struct library_part {
    std::vector<com::tlb::interface_desc> interfaces;
    std::vector<com::tlb::enum_desc> enums;
    std::vector<com::tlb::coclass_desc> coclasses;
};
library_part wizard_part();
library_part display_part();
library_part options_part();

} // namespace kycomctl
