#pragma once
// The description of the type library OSTRELCOLLECTORLib 1.0: every interface, member,
// dispatch identifier, parameter name, help string, the counter enumeration and the coclasses.

#include "platform/com/atl/type_library.h"

const com::tlb::library_desc& ostrel_collector_library();
