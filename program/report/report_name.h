#pragma once
// An entry's name as the report's texts show it: a cell of a TAB-joined row, the line of an
// INI section and, in Exchange 5.5 mode, text the server chose. The characters that would
// break a row, a line or a section are replaced visibly (platform/win32/visible_text.h, the
// mapping the session log and the collector's error lines use too); ordinary names stay as
// they are.

#include <QString>

namespace program {

QString ReportName(const QString& name);

} // namespace program
