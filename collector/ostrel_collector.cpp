#include "collector/ostrel_collector.h"

#include "collector/ca_string.h"
#include "collector/collector_strings.h"
#include "collector/hrx_ex.h"
#include "collector/load_string.h"
#include "collector/ostrel_info.h"
#include "collector/ostrel_info_collection.h"
#include "platform/com/bstr.h"

void COstrelCollector::FinalRelease() { COstrelCollectorImpl::Cancel(); }

ULONG COstrelCollector::InternalRelease()
{
    using root = CComObjectRootEx<CComMultiThreadModel>;
    const ULONG left = root::InternalRelease();
    if (left != 0 || !defer_release_to_worker(static_cast<IOstrelCollector*>(this)))
        return left;
    // The event being raised reaches no further sink, and the worker holds the one reference
    // left until its run has ended.
    StopEvents();
    return root::InternalAddRef();
}

HRESULT COstrelCollector::InterfaceSupportsErrorInfo(REFIID riid)
{
    return riid == IID_IOstrelCollector ? S_OK : S_FALSE;
}

HRESULT COstrelCollector::EnumerateNetwork(VARIANT* pDomains) { return EnumerateDomains(pDomains); }

HRESULT COstrelCollector::Collect(VARIANT* pDomains, oxcOstrelCounter flags)
{
    return COstrelCollectorImpl::Collect(pDomains, flags, this);
}

HRESULT COstrelCollector::Cancel() { return COstrelCollectorImpl::Cancel(); }

void COstrelCollector::DomainCollected(const std::u16string& name, const std::u16string& error)
{
    CComBSTR name_text(name.c_str());
    CComBSTR error_text(error.c_str());
    Fire_DomainCollected(name_text, error_text);
}

void COstrelCollector::CollectionComplete()
{
    CAString text;
    bool any_text = false;
    std::u16string format;
    utils::load_string(collector_strings::IDS_COLLECTION_FAILED, format);

    CComPtr<IOstrelInfoCollection> collection;
    try {
        CComObject<COstrelInfoCollection>* made = nullptr;
        HRXEx hr = CComObject<COstrelInfoCollection>::CreateInstance(&made);
        collection = made;
        for (const auto& record : GetInfos()) {
            CComObject<COstrelInfo>* info = nullptr;
            hr = CComObject<COstrelInfo>::CreateInstance(&info);
            CComPtr<IOstrelInfo> hold_info(info);
            CComBSTR name(record.name.c_str());
            CComBSTR error(record.error.c_str());
            hr = info->put_DomainName(name);
            hr = info->put_ErrorString(error);
            if (!record.error.empty()) {
                CAString block;
                block.Format(format.c_str(), record.name.c_str(), record.error.c_str());
                text = (text.str() + block.str() + u"\r\n").c_str();
                any_text = true;
            }
            info->PutInfos(record.counts);
            hr = made->Add(static_cast<IOstrelInfo*>(info));
        }
    } catch (const HRXEx& failure) {
        text = (text.str() + HRX::GetErrorDescription(failure).str()).c_str();
        any_text = true;
    } catch (...) {
        text = (text.str() + HRX::GetErrorDescription(E_OUTOFMEMORY).str()).c_str();
        any_text = true;
    }
    // A null string when no record had an error and nothing failed.
    BSTR summary = any_text ? SysAllocStringLen(text, static_cast<UINT>(text.length())) : nullptr;
    Fire_CollectionCompleted(collection, summary);
    SysFreeString(summary);
}
