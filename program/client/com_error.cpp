#include "program/client/com_error.h"

#include "platform/forms/core/dispatch_bridge.h"
#include "platform/forms/core/vb_error.h"

namespace program {

QString com_error_description(HRESULT hr)
{
    QString description = forms::failure_description(hr);
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
