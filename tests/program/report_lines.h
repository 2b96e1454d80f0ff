#pragma once
// The lines of a report or output file (CR LF separated) that start with a given text: its
// section lines ("["), or the lines of one key ("Users=").

#include <QString>
#include <QStringList>

namespace program_test {

inline QStringList lines_starting(const QString& text, const QString& start)
{
    QStringList found;
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        if (line.startsWith(start))
            found << line;
    return found;
}

} // namespace program_test
