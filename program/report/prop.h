#pragma once
// Prop: one value of an entry: its name (empty for every value the program stores) and the
// value as text (a signed 32-bit count in decimal, "-1" when there was no data).

#include <QString>

namespace program {

class Prop {
public:
    QString Name;
    QString value;
};

} // namespace program
