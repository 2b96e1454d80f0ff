#pragma once
// A stand-in for a selected progress bar or panel that logs every read ("?Name") and every
// write ("Name=value") a property page makes by name, in order.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#define PROGRESS_LOG_PROPERTY(Type, Name, initial)                                                                    \
    Q_PROPERTY(Type Name READ Name WRITE set##Name)                                                                 \
public:                                                                                                            \
    Type Name() const                                                                                              \
    {                                                                                                              \
        calls << QStringLiteral("?" #Name);                                                                        \
        return Name##_;                                                                                            \
    }                                                                                                              \
    void set##Name(Type v)                                                                                         \
    {                                                                                                              \
        Name##_ = v;                                                                                               \
        calls << QStringLiteral(#Name "=") + QVariant::fromValue(v).toString();                                    \
    }                                                                                                              \
                                                                                                                   \
private:                                                                                                           \
    Type Name##_ = initial;

class ProgressLog : public QObject {
    Q_OBJECT
    PROGRESS_LOG_PROPERTY(bool, ErrorsNotify, true)
    PROGRESS_LOG_PROPERTY(QString, Caption, QStringLiteral("Done"))
    PROGRESS_LOG_PROPERTY(int, Max, 100)
    PROGRESS_LOG_PROPERTY(int, Min, 0)
    PROGRESS_LOG_PROPERTY(int, Align, 2)
    PROGRESS_LOG_PROPERTY(bool, DisplayTotal, true)
    PROGRESS_LOG_PROPERTY(bool, DisplayProcessed, false)
    PROGRESS_LOG_PROPERTY(bool, DisplayErrors, true)
    PROGRESS_LOG_PROPERTY(bool, DisplayElapsedTime, false)
    PROGRESS_LOG_PROPERTY(bool, DisplayEstimatedTime, true)
    PROGRESS_LOG_PROPERTY(bool, ShowPercentCompleted, true)
    PROGRESS_LOG_PROPERTY(int, ProgressMax, 300)
    PROGRESS_LOG_PROPERTY(int, Progress, 60)
    PROGRESS_LOG_PROPERTY(QString, Status, QStringLiteral("Counting"))
    PROGRESS_LOG_PROPERTY(QString, StepDescription0, QStringLiteral("s0"))
    PROGRESS_LOG_PROPERTY(QString, StepDescription1, QStringLiteral("s1"))
    PROGRESS_LOG_PROPERTY(QString, StepDescription2, QStringLiteral("s2"))
    PROGRESS_LOG_PROPERTY(QString, StepDescription3, QStringLiteral("s3"))
    PROGRESS_LOG_PROPERTY(QString, StepDescription4, QStringLiteral("s4"))
    PROGRESS_LOG_PROPERTY(QString, Description, QStringLiteral("d"))

public:
    mutable QStringList calls;
};
