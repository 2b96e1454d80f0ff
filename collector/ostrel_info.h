#pragma once
// COstrelInfo: the result of one entry (name, counts, error text).

#include "collector/ostrel_collector_lib.h"
#include "platform/com/atl/com_object.h"
#include "platform/com/atl/dispatch_impl.h"
#include "platform/com/bstr.h"
#include "platform/com/error_info.h"

#include <map>

class COstrelInfo : public CComObjectRootEx<CComMultiThreadModel>,
                    public ISupportErrorInfo,
                    public IDispatchImpl<IOstrelInfo, &IID_IOstrelInfo, &LIBID_OSTRELCOLLECTORLib>,
                    public CComCoClass<COstrelInfo, &CLSID_OstrelInfo> {
public:
    DECLARE_REGISTRY_RESOURCEID(102)

    BEGIN_COM_MAP(COstrelInfo)
    COM_INTERFACE_ENTRY(IOstrelInfo)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(ISupportErrorInfo)
    END_COM_MAP()

    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override;
    virtual HRESULT put_ErrorString(BSTR value);
    virtual HRESULT put_DomainName(BSTR value);

    HRESULT get_DomainName(BSTR* pVal) override;
    HRESULT GetInfo(oxcOstrelCounter counter, LONG* rv) override;
    HRESULT get_ErrorString(BSTR* pVal) override;

    void PutInfo(oxcOstrelCounter counter, LONG value);
    void PutInfos(const std::map<oxcOstrelCounter, LONG>& counts);

private:
    CComBSTR m_ErrorString;
    CComBSTR m_DomainName;
    std::map<oxcOstrelCounter, LONG> m_counts;
};
