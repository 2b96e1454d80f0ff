#pragma once
// COstrelInfoCollection: the results of one run, in the order of the names given.

#include "collector/ia_collection_on_stl_impl.h"
#include "collector/ostrel_collector_lib.h"
#include "platform/com/atl/com_object.h"
#include "platform/com/atl/dispatch_impl.h"
#include "platform/com/error_info.h"

class COstrelInfoCollection : public CComObjectRootEx<CComMultiThreadModel>,
                              public ISupportErrorInfo,
                              public IDispatchImpl<IACollectionOnSTLImpl<IOstrelInfoCollection, IOstrelInfo>,
                                                   &IID_IOstrelInfoCollection, &LIBID_OSTRELCOLLECTORLib>,
                              public CComCoClass<COstrelInfoCollection, &CLSID_OstrelInfoCollection> {
public:
    DECLARE_REGISTRY_RESOURCEID(103)

    BEGIN_COM_MAP(COstrelInfoCollection)
    COM_INTERFACE_ENTRY(IOstrelInfoCollection)
    COM_INTERFACE_ENTRY(IEnumVARIANT)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(ISupportErrorInfo)
    END_COM_MAP()

    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override
    {
        return riid == IID_IOstrelInfoCollection ? S_OK : S_FALSE;
    }
};
