#include "collector/netapi/net_error_description.h"

#include "collector/hrx.h"
#include "platform/win32/win_errors.h"

std::u16string net_error_description(DWORD last_error)
{
    const HRESULT hr = static_cast<HRESULT>(last_error) > 0 ? HRESULT_FROM_WIN32(last_error)
                                                            : static_cast<HRESULT>(last_error);
    std::u16string text = HRX::GetErrorDescription(hr).str();
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r'))
        text.pop_back();
    return text;
}

void append_net_error_line(std::u16string& error, const std::u16string& prefix, DWORD last_error)
{
    error += prefix;
    error += net_error_description(last_error);
    error += u"\r\n";
}
