#pragma once
// A stand-in for a selected progress bar or panel that logs every read ("?Name") and every
// write ("Name=value") a property page makes by name, in order.

#include "tests/controls/late_bound_log.h"

class ProgressLog : public QObject {
    Q_OBJECT
    LATE_BOUND_LOG_PROPERTY(bool, ErrorsNotify, true)
    LATE_BOUND_LOG_PROPERTY(QString, Caption, QStringLiteral("Done"))
    LATE_BOUND_LOG_PROPERTY(int, Max, 100)
    LATE_BOUND_LOG_PROPERTY(int, Min, 0)
    LATE_BOUND_LOG_PROPERTY(int, Align, 2)
    LATE_BOUND_LOG_PROPERTY(bool, DisplayTotal, true)
    LATE_BOUND_LOG_PROPERTY(bool, DisplayProcessed, false)
    LATE_BOUND_LOG_PROPERTY(bool, DisplayErrors, true)
    LATE_BOUND_LOG_PROPERTY(bool, DisplayElapsedTime, false)
    LATE_BOUND_LOG_PROPERTY(bool, DisplayEstimatedTime, true)
    LATE_BOUND_LOG_PROPERTY(bool, ShowPercentCompleted, true)
    LATE_BOUND_LOG_PROPERTY(int, ProgressMax, 300)
    LATE_BOUND_LOG_PROPERTY(int, Progress, 60)
    LATE_BOUND_LOG_PROPERTY(QString, Status, QStringLiteral("Counting"))
    LATE_BOUND_LOG_PROPERTY(QString, StepDescription0, QStringLiteral("s0"))
    LATE_BOUND_LOG_PROPERTY(QString, StepDescription1, QStringLiteral("s1"))
    LATE_BOUND_LOG_PROPERTY(QString, StepDescription2, QStringLiteral("s2"))
    LATE_BOUND_LOG_PROPERTY(QString, StepDescription3, QStringLiteral("s3"))
    LATE_BOUND_LOG_PROPERTY(QString, StepDescription4, QStringLiteral("s4"))
    LATE_BOUND_LOG_PROPERTY(QString, Description, QStringLiteral("d"))

public:
    mutable QStringList calls;
};
