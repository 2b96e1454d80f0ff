#include "platform/mpr/provider_error.h"

#include "platform/mpr/wnet.h"
#include "platform/win32/win_errors.h"

#include <algorithm>
#include <cstring>

namespace mpr {

namespace {
thread_local provider_error last;
}

DWORD set_provider_error(DWORD code, std::u16string text)
{
    last.code = code;
    last.text = std::move(text);
    return ERROR_EXTENDED_ERROR;
}

const provider_error& last_provider_error() { return last; }

const std::u16string& provider_name()
{
    static const std::u16string name = u"SMB Network";
    return name;
}

} // namespace mpr

namespace {

void copy_cut(const std::u16string& text, LPWSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return;
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n * sizeof(char16_t));
    buffer[n] = u'\0';
}

} // namespace

DWORD WNetGetLastErrorW(LPDWORD lpError, LPWSTR lpErrorBuf, DWORD nErrorBufSize, LPWSTR lpNameBuf, DWORD nNameBufSize)
{
    if (!lpError)
        return ERROR_INVALID_PARAMETER;
    const auto& error = mpr::last_provider_error();
    *lpError = error.code;
    copy_cut(error.text, lpErrorBuf, nErrorBufSize);
    copy_cut(error.code ? mpr::provider_name() : std::u16string(), lpNameBuf, nNameBufSize);
    return NO_ERROR;
}

DWORD WNetGetProviderNameW(DWORD dwNetType, LPWSTR lpProviderName, LPDWORD lpBufferSize)
{
    if (!lpBufferSize)
        return ERROR_INVALID_PARAMETER;
    if ((dwNetType & 0xFFFF0000u) != WNNC_NET_LANMAN)
        return ERROR_NO_NETWORK;
    const auto& name = mpr::provider_name();
    DWORD needed = static_cast<DWORD>(name.size() + 1);
    if (!lpProviderName || *lpBufferSize < needed) {
        *lpBufferSize = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(lpProviderName, name.c_str(), needed * sizeof(char16_t));
    return NO_ERROR;
}
