#pragma once
// The error object that CreateErrorInfo hands out: IErrorInfo and ICreateErrorInfo over one
// set of fields, free-threaded.

#include "platform/com/error_info.h"

#include <atomic>
#include <mutex>

namespace com {

class CErrorObject final : public IErrorInfo, public ICreateErrorInfo {
public:
    CErrorObject() = default;

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetGUID(GUID* pGUID) override;
    HRESULT GetSource(BSTR* pBstrSource) override;
    HRESULT GetDescription(BSTR* pBstrDescription) override;
    HRESULT GetHelpFile(BSTR* pBstrHelpFile) override;
    HRESULT GetHelpContext(DWORD* pdwHelpContext) override;

    HRESULT SetGUID(REFGUID rguid) override;
    HRESULT SetSource(LPOLESTR szSource) override;
    HRESULT SetDescription(LPOLESTR szDescription) override;
    HRESULT SetHelpFile(LPOLESTR szHelpFile) override;
    HRESULT SetHelpContext(DWORD dwHelpContext) override;

private:
    ~CErrorObject() = default;
    HRESULT copy_out(const CComBSTR& field, BSTR* out);
    HRESULT store(CComBSTR& field, LPOLESTR text);

    std::atomic<ULONG> refs_{1};
    std::mutex lock_;
    GUID guid_{};
    CComBSTR source_;
    CComBSTR description_;
    CComBSTR help_file_;
    DWORD help_context_ = 0;
};

} // namespace com
