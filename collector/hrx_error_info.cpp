// The COM half of HRX: error information for the calling thread.
#include "collector/hrx.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/error_info.h"

BOOL HRX::SetErrorInfo(const CAString& text)
{
    if (text.empty())
        return FALSE;
    try {
        CComPtr<ICreateErrorInfo> create;
        HRX hr;
        hr = CreateErrorInfo(&create);
        hr = create->SetDescription(const_cast<WCHAR*>(static_cast<const WCHAR*>(text)));
        CComPtr<IErrorInfo> info;
        hr = create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
        hr = ::SetErrorInfo(0, info);
        return TRUE;
    } catch (HRESULT) {
        return FALSE;
    }
}

BOOL HRX::SetErrorInfo(HRESULT hr) { return SetErrorInfo(GetErrorDescription(hr)); }
