#include "program/command_line_text.h"

#include <QStringList>

namespace {

QString quoted(const QString& value)
{
    return u'"' + value + u'"';
}

QString one_argument(const QString& argument)
{
    const bool isSwitch = argument.startsWith(u'/') || argument.startsWith(u'-');
    if (!isSwitch) {
        // A value given as an argument of its own (/domain "a b") keeps its blanks.
        return argument.contains(u' ') ? quoted(argument) : argument;
    }
    const qsizetype colon = argument.indexOf(u':');
    if (colon < 0)
        return argument;
    const QString value = argument.mid(colon + 1);
    if (!value.startsWith(u'/') && !value.contains(u' '))
        return argument;
    return argument.left(colon + 1) + quoted(value);
}

} // namespace

QString command_line_text(std::span<const char* const> arguments)
{
    QStringList parts;
    for (const char* argument : arguments)
        parts.append(one_argument(QString::fromUtf8(argument ? argument : "")));
    return parts.join(u' ');
}
