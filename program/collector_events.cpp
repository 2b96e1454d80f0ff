#include "program/collector_events.h"

#include "program/com_text.h"

#include "platform/win32/win_errors.h"

namespace {

// The text of a string argument, by value or by reference.
bool text_argument(const VARIANTARG& arg, QString& text)
{
    VARIANT value;
    VariantInit(&value);
    bool ok = false;
    if (VariantChangeType(&value, &arg, 0, VT_BSTR) >= 0) {
        text = program::from_bstr(value.bstrVal);
        ok = true;
    }
    VariantClear(&value);
    return ok;
}

// The result collection argument (an object, by value or by reference); null when none.
HRESULT infos_argument(const VARIANTARG& arg, IOstrelInfoCollection** infos)
{
    *infos = nullptr;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, &arg);
    if (hr >= 0) {
        IUnknown* object = nullptr;
        if (value.vt == VT_DISPATCH)
            object = value.pdispVal;
        else if (value.vt == VT_UNKNOWN)
            object = value.punkVal;
        else if (value.vt != VT_EMPTY && value.vt != VT_NULL)
            hr = DISP_E_TYPEMISMATCH;
        if (object)
            hr = object->QueryInterface(infos);
    }
    VariantClear(&value);
    return hr;
}

} // namespace

CCollectorEvents::CCollectorEvents(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed)
    : m_domainCollected(std::move(domainCollected)), m_completed(std::move(completed))
{
}

CCollectorEvents* CCollectorEvents::Create(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed)
{
    return new CCollectorEvents(std::move(domainCollected), std::move(completed));
}

void CCollectorEvents::Detach()
{
    m_domainCollected = nullptr;
    m_completed = nullptr;
}

HRESULT CCollectorEvents::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == com::uuidof<IUnknown>() || riid == com::uuidof<IDispatch>() ||
        riid == com::uuidof<_IOstrelCollectorEvents>()) {
        *ppv = static_cast<_IOstrelCollectorEvents*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CCollectorEvents::AddRef()
{
    return ++m_refs;
}

ULONG CCollectorEvents::Release()
{
    const ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CCollectorEvents::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CCollectorEvents::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT CCollectorEvents::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CCollectorEvents::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams, VARIANT*,
                                 EXCEPINFO*, UINT* puArgErr)
{
    if (dispIdMember != DISPID_DomainCollected && dispIdMember != DISPID_CollectionCompleted)
        return DISP_E_MEMBERNOTFOUND;
    if (!pDispParams || pDispParams->cArgs != 2 || !pDispParams->rgvarg)
        return DISP_E_BADPARAMCOUNT;
    // Arguments come last first: rgvarg[1] is the first parameter.
    const VARIANTARG* args = pDispParams->rgvarg;
    QString errorText;
    if (!text_argument(args[0], errorText)) {
        if (puArgErr)
            *puArgErr = 0;
        return DISP_E_TYPEMISMATCH;
    }
    try {
        if (dispIdMember == DISPID_DomainCollected) {
            QString name;
            if (!text_argument(args[1], name)) {
                if (puArgErr)
                    *puArgErr = 1;
                return DISP_E_TYPEMISMATCH;
            }
            if (m_domainCollected)
                m_domainCollected(name, errorText);
            return S_OK;
        }
        program::com_ref<IOstrelInfoCollection> infos;
        const HRESULT hr = infos_argument(args[1], infos.put());
        if (hr < 0) {
            if (puArgErr)
                *puArgErr = 1;
            return hr;
        }
        if (m_completed)
            m_completed(infos.get(), errorText);
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}
