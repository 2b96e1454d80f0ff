#include "platform/ads/ads_last_error.h"

#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <algorithm>
#include <string>

namespace {

struct last_error_state {
    DWORD code = 0;
    std::u16string text;
    std::u16string provider;
};

// One per thread, as the directory service keeps it: the worker that counted reads its own.
thread_local last_error_state t_last_error;

void copy_out(const std::u16string& text, LPWSTR buffer, DWORD size)
{
    if (buffer == nullptr || size == 0)
        return;
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = u'\0';
}

} // namespace

HRESULT ADsGetLastError(LPDWORD lpError, LPWSTR lpErrorBuf, DWORD dwErrorBufLen, LPWSTR lpNameBuf, DWORD dwNameBufLen)
{
    if (lpError == nullptr)
        return E_ADS_BAD_PARAMETER;
    *lpError = t_last_error.code;
    copy_out(t_last_error.text, lpErrorBuf, dwErrorBufLen);
    copy_out(t_last_error.provider, lpNameBuf, dwNameBufLen);
    return S_OK;
}

void ADsSetLastError(DWORD dwErr, LPCWSTR pszError, LPCWSTR pszProvider)
{
    t_last_error.code = dwErr;
    t_last_error.text = pszError != nullptr ? std::u16string(pszError) : std::u16string();
    t_last_error.provider = pszProvider != nullptr ? std::u16string(pszProvider) : std::u16string();
}

namespace ads {

void set_last_error(DWORD code, std::string_view diagnostic)
{
    if (code == 0) {
        ADsSetLastError(0, nullptr, nullptr);
        return;
    }
    const std::u16string text = utf8_to_utf16(diagnostic);
    ADsSetLastError(code, text.c_str(), u"LDAP Provider");
}

} // namespace ads
