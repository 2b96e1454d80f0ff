#include "program/report/command_line.h"

#include "platform/forms/core/vb_error.h"

namespace program {

namespace {

constexpr QChar kBlank = u' ';

bool is_switch_char(QChar c) { return c == u'/' || c == u'-'; }

} // namespace

CCommandLine::CCommandLine(const QStringList& arguments) : m_arguments(arguments)
{
    // p is the index of the next argument to read.
    qsizetype p = 0;
    for (;;) {
        Entry entry;
        ValuePlace place;
        if (!ParseNextSwitch(p, entry, place))
            break;
        m_switches.push_back(Switch{entry[0], entry[1], place});
        // The first occurrence of a switch wins: adding a repeated one fails and is dropped.
        try {
            m_colArgs.Add(QStringList{entry[0], entry[1]}, Key(entry[0]));
        } catch (const forms::VbError&) {
        }
    }
}

std::int32_t CCommandLine::Count() const { return m_colArgs.Count(); }

bool CCommandLine::Argument(const QString& name) const { return m_colArgs.Exists(Key(name)); }

QString CCommandLine::value(const QString& name) const
{
    try {
        return m_colArgs.Item(Key(name)).toStringList().value(1);
    } catch (const forms::VbError& error) {
        forms::raise(error.number(), QString(), QStringLiteral("Invalid argument name."));
    }
}

const std::vector<CCommandLine::Switch>& CCommandLine::Switches() const { return m_switches; }

QString CCommandLine::Key(const QString& name) { return name.toUpper() + u'_'; }

bool CCommandLine::ParseNextSwitch(qsizetype& p, Entry& entry, ValuePlace& place) const
{
    if (p >= m_arguments.size())
        return false;
    const QString& argument = m_arguments[p];
    if (argument.isEmpty() || !is_switch_char(argument[0]))
        return false;
    ++p;

    // The name runs from after the "/" or "-" up to the first ":" or blank; whatever
    // follows that character in the same argument is the value, exactly as given.
    qsizetype end = 1;
    while (end < argument.size() && argument[end] != u':' && argument[end] != kBlank)
        ++end;
    QString name = argument.mid(1, end - 1);
    QString value = argument.mid(end + 1);
    place = ValuePlace{p - 1, end + 1};

    // A switch with no value of its own takes the next argument, unless that one is a
    // switch itself (a value cannot start with "/" or "-" there).
    if (value.isEmpty() && p < m_arguments.size() && !m_arguments[p].startsWith(u'/') &&
        !m_arguments[p].startsWith(u'-')) {
        value = m_arguments[p];
        place = ValuePlace{p, 0};
        ++p;
    }

    if (!name.isEmpty())
        entry[0] = std::move(name);
    if (!value.isEmpty())
        entry[1] = std::move(value);
    return true;
}

} // namespace program
