#include "program/report/report_date.h"

#include <QLocale>

namespace program {

QString ReportDate(const QDateTime& when)
{
    return QLocale::c().toString(when, QStringLiteral("ddd, MMM dd yyyy hh:mm:ss AP"));
}

} // namespace program
