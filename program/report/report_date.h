#pragma once
// The date and time as the printed report's title and the XML text's comment show it:
// "ddd, mmm dd yyyy hh:mm:ss AM/PM" with English day and month names, as "Thu, Dec 10 2026
// 02:05:09 PM".

#include <QDateTime>
#include <QString>

namespace program {

QString ReportDate(const QDateTime& when);

} // namespace program
