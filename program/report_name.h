#pragma once
// An entry's name as the report's texts show it. The name is a cell of a TAB-joined row, the
// line of an INI section and, in Exchange 5.5 mode, text the server chose: a TAB would shift
// every count one column, CR or LF would start a line of its own and "]" would close the
// section early. Each such character is replaced by one a person can see and no text breaks
// at: a control character by its Unicode control picture (TAB by U+2409, CR by U+240D, LF by
// U+240A, DEL by U+2421), one with no picture (U+0080 to U+009F, the line and paragraph
// separators) by U+FFFD, and "]" by the full-width U+FF3D. Every other name, ordinary names
// included, stays as it is. The session log keeps the real name.

#include <QString>

namespace program {

QString ReportName(const QString& name);

} // namespace program
