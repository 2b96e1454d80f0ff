#include "program/report/report_name.h"

#include "platform/win32/visible_text.h"

namespace program {

QString ReportName(const QString& name)
{
    return QString::fromStdU16String(win32::visible_text(name.toStdU16String()));
}

} // namespace program
