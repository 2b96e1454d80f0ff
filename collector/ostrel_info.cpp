#include "collector/ostrel_info.h"

namespace {

// A new copy of the stored text; an empty string when none was stored.
HRESULT copy_out(const CComBSTR& stored, BSTR* out)
{
    if (out == nullptr)
        return E_POINTER;
    const BSTR text = stored.m_str;
    *out = SysAllocStringLen(text != nullptr ? text : u"", text != nullptr ? SysStringLen(text) : 0);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace

HRESULT COstrelInfo::InterfaceSupportsErrorInfo(REFIID riid) { return riid == IID_IOstrelInfo ? S_OK : S_FALSE; }

HRESULT COstrelInfo::put_ErrorString(BSTR value)
{
    m_ErrorString = value;
    return S_OK;
}

HRESULT COstrelInfo::put_DomainName(BSTR value)
{
    m_DomainName = value;
    return S_OK;
}

HRESULT COstrelInfo::get_DomainName(BSTR* pVal) { return copy_out(m_DomainName, pVal); }

HRESULT COstrelInfo::get_ErrorString(BSTR* pVal) { return copy_out(m_ErrorString, pVal); }

HRESULT COstrelInfo::GetInfo(oxcOstrelCounter counter, LONG* rv)
{
    if (rv == nullptr)
        return E_POINTER;
    const auto it = m_counts.find(counter);
    *rv = it != m_counts.end() ? it->second : -1;
    return S_OK;
}

void COstrelInfo::PutInfo(oxcOstrelCounter counter, LONG value) { m_counts[counter] = value; }

void COstrelInfo::PutInfos(const std::map<oxcOstrelCounter, LONG>& counts) { m_counts = counts; }
