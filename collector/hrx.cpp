#include "collector/hrx.h"

#include "platform/win32/message_table.h"
#include "platform/win32/win_errors.h"

HRX& HRX::operator=(HRESULT value)
{
    m_value = value;
    if (value < 0)
        throw value;
    return *this;
}

CAString HRX::GetErrorDescription(HRESULT hr)
{
    if (hr == 0)
        return CAString();
    DWORD code = static_cast<DWORD>(hr);
    if (HRESULT_FACILITY(hr) == FACILITY_WINDOWS)
        code = HRESULT_CODE(hr);
    WCHAR* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        LOCALE_USER_DEFAULT, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    CAString result;
    if (length > 0 && text != nullptr)
        result = text;
    if (text != nullptr)
        LocalFree(text);
    return result;
}
