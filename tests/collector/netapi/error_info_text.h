#pragma once
// The description of this thread's COM error information (which reading also clears), or
// nullopt when none is set.

#include "platform/com/bstr.h"
#include "platform/com/error_info.h"

#include <optional>
#include <string>

namespace netcol_test {

inline std::optional<std::u16string> take_error_info_text()
{
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr)
        return std::nullopt;
    BSTR description = nullptr;
    info->GetDescription(&description);
    info->Release();
    std::u16string text = description != nullptr ? std::u16string(description, SysStringLen(description)) : u"";
    SysFreeString(description);
    return text;
}

} // namespace netcol_test
