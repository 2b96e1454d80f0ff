#include "program/command_line.h"

#include "platform/forms/vb_error.h"

namespace {

constexpr QChar kBlank = u' ';

bool is_switch_char(QChar c)
{
    return c == u'/' || c == u'-';
}

} // namespace

CCommandLine::CCommandLine(QString commandLine) : m_sCommandLine(std::move(commandLine))
{
    // Positions count from 1 as in the parse rules; p > size() means "beyond the end".
    qsizetype p = 1;
    for (;;) {
        Entry entry;
        if (!ParseNextSwitch(p, entry))
            break;
        // The first occurrence of a switch wins: adding a repeated one fails and is dropped.
        try {
            m_colArgs.Add(QStringList{entry[0], entry[1]}, Key(entry[0]));
        } catch (const forms::VbError&) {
        }
    }
}

std::int32_t CCommandLine::Count() const
{
    return m_colArgs.Count();
}

bool CCommandLine::Argument(const QString& name) const
{
    return m_colArgs.Exists(Key(name));
}

QString CCommandLine::value(const QString& name) const
{
    try {
        return m_colArgs.Item(Key(name)).toStringList().value(1);
    } catch (const forms::VbError& error) {
        forms::raise(error.number(), QString(), QStringLiteral("Invalid argument name."));
    }
}

QString CCommandLine::Key(const QString& name)
{
    return name.toUpper() + u'_';
}

bool CCommandLine::ParseNextSwitch(qsizetype& p, Entry& entry) const
{
    const QString& s = m_sCommandLine;
    const qsizetype len = s.size();
    auto at = [&](qsizetype pos) { return s[pos - 1]; };

    if (p > len)
        return false;
    while (p <= len && at(p) == kBlank)
        ++p;
    if (p > len || !is_switch_char(at(p)))
        return false;

    ++p;
    const qsizetype nameStart = p;
    while (p <= len && at(p) != u':' && at(p) != kBlank)
        ++p;
    QString name = s.mid(nameStart - 1, p - nameStart);

    if (p <= len) {
        // The name ended at a colon or a blank: step over it, and over one more blank when
        // that blank is not the last character of the text.
        ++p;
        if (p <= len && at(p) == kBlank && p < len)
            ++p;
    }

    QString value;
    if (p <= len && !is_switch_char(at(p))) {
        if (at(p) == u'"') {
            ++p;
            const qsizetype start = p;
            while (p <= len && at(p) != u'"')
                ++p;
            value = s.mid(start - 1, p - start);
            if (p <= len)
                ++p;
        } else {
            const qsizetype start = p;
            while (p <= len && at(p) != kBlank)
                ++p;
            value = s.mid(start - 1, p - start);
        }
    }

    if (!name.isEmpty())
        entry[0] = std::move(name);
    if (!value.isEmpty())
        entry[1] = std::move(value);
    return true;
}
