#include "platform/forms/services/interval_timer.h"

#include "platform/forms/core/vb_error.h"

namespace forms {

IntervalTimer::IntervalTimer(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::Timer);
}

void IntervalTimer::setInterval(int milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        raise(vberr::InvalidPropertyValue);
    interval_ = milliseconds;
    update();
}

void IntervalTimer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    update();
}

void IntervalTimer::update()
{
    if (enabled_ && interval_ > 0)
        timer_.start(interval_); // restarting counts the interval afresh, as the runtime does
    else
        timer_.stop();
}

} // namespace forms
