#pragma once
// A property of a stand-in for a selected control that logs every read ("?Name") and every
// write ("Name=value") a property page makes by name into the class's `calls`, in order.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#define LATE_BOUND_LOG_PROPERTY(Type, Name, initial)                                                                   \
    Q_PROPERTY(Type Name READ Name WRITE set##Name)                                                                    \
public:                                                                                                                \
    Type Name() const                                                                                                  \
    {                                                                                                                  \
        calls << QStringLiteral("?" #Name);                                                                            \
        return Name##_;                                                                                                \
    }                                                                                                                  \
    void set##Name(Type v)                                                                                             \
    {                                                                                                                  \
        Name##_ = v;                                                                                                   \
        calls << QStringLiteral(#Name "=") + QVariant::fromValue(v).toString();                                        \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    Type Name##_ = initial;
