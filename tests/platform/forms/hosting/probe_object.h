#pragma once
// A small public (non-control) class of the probe module, created by class through the
// registry and reached late-bound.

#include <QObject>

class ProbeObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Value MEMBER value)

public:
    Q_INVOKABLE int Twice() const { return 2 * value; }

    int value = 7;
};
