#include "program/com_error.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/bstr.h"
#include "platform/com/error_info.h"
#include "platform/forms/vb_error.h"
#include "platform/win32/message_table.h"

namespace program {

QString com_error_description(HRESULT hr)
{
    CComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) == 0 && info) {
        CComBSTR text;
        const HRESULT got = info->GetDescription(&text.m_str);
        const QString description = QString::fromStdU16String(std::u16string(text.view()));
        if (got >= 0 && !description.isEmpty())
            return description;
    }
    const std::u16string system = win32::system_message(static_cast<DWORD>(hr));
    QString description = QString::fromStdU16String(system).trimmed();
    if (description.isEmpty())
        description = QStringLiteral("Error 0x%1").arg(static_cast<DWORD>(hr), 8, 16, QChar(u'0')).toUpper();
    return description;
}

HRESULT check(HRESULT hr)
{
    if (hr < 0)
        forms::raise(hr, QString(), com_error_description(hr));
    return hr;
}

} // namespace program
