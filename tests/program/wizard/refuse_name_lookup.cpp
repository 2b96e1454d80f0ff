// Preloaded into a test process (LD_PRELOAD): every name lookup of a described interface, by
// IDispatch::GetIDsOfNames or ITypeInfo::GetIDsOfNames, is refused. A program that calls by
// DISPIDs works on; one that looks a name up fails where it does.

#include "platform/com/atl/type_library.h"

namespace com::tlb {

HRESULT get_ids_of_names(const interface_desc&, LPOLESTR*, UINT count, DISPID* ids)
{
    for (UINT i = 0; ids != nullptr && i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

} // namespace com::tlb
