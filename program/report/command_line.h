#pragma once
// CCommandLine: the program's arguments parsed once into named switches with optional
// values. Each argument is taken as the process received it: a value given in the same
// argument as its switch (/out:/tmp/my "x" report.txt) is everything after the first ":" or
// blank, quotes, blanks, a leading "/" or "-" included; a switch without a value in its own
// argument takes the next argument as its value unless that one starts with "/" or "-".
// Switch names are matched without regard to case; the first occurrence of a switch wins;
// an argument that is not a switch ends the parse. Malformed input yields fewer or emptier
// entries, never a failure.

#include "platform/forms/core/collection.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

namespace program {

class CCommandLine {
public:
    // One accepted switch: element 0 the name as typed, element 1 its value (either may be
    // empty).
    using Entry = std::array<QString, 2>;

    explicit CCommandLine(const QStringList& arguments);

    std::int32_t Count() const;
    // True when a switch of that name (any case) was given; never fails.
    bool Argument(const QString& name) const;
    // The switch's value, empty when it had none. A name without entry raises error 5
    // "Invalid argument name." (callers ask Argument first).
    QString value(const QString& name) const;

    // Where a switch's value stands: the index of the argument and the position in it.
    struct ValuePlace {
        qsizetype argument = -1;
        qsizetype start = 0;
    };
    // Every switch as parsed, in order, repeated ones included (for hiding their values).
    struct Switch {
        QString name;
        QString value;
        ValuePlace place;
    };
    const std::vector<Switch>& Switches() const;

private:
    static QString Key(const QString& name);
    bool ParseNextSwitch(qsizetype& p, Entry& entry, ValuePlace& place) const;

    QStringList m_arguments;
    std::vector<Switch> m_switches;
    // Each entry a two-element list: the name as typed, its value.
    forms::Collection m_colArgs;
};

} // namespace program
