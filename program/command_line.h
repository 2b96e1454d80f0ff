#pragma once
// CCommandLine: the program's argument text parsed once into named switches with optional
// values. Switch names are matched without regard to case; the first occurrence of a switch
// wins; malformed input yields fewer or emptier entries, never a failure.

#include "platform/forms/collection.h"

#include <QString>

#include <array>
#include <cstdint>

class CCommandLine {
public:
    // One accepted switch: element 0 the name as typed, element 1 its value (either may be
    // empty).
    using Entry = std::array<QString, 2>;

    explicit CCommandLine(QString commandLine);

    std::int32_t Count() const;
    // True when a switch of that name (any case) was given; never fails.
    bool Argument(const QString& name) const;
    // The switch's value, empty when it had none. A name without entry raises error 5
    // "Invalid argument name." (callers ask Argument first).
    QString value(const QString& name) const;

    const QString& text() const { return m_sCommandLine; }

private:
    static QString Key(const QString& name);
    bool ParseNextSwitch(qsizetype& p, Entry& entry) const;

    QString m_sCommandLine;
    // Each entry a two-element list: the name as typed, its value.
    forms::Collection m_colArgs;
};
