#pragma once
// The runtime's Timer: raises Timer every Interval milliseconds while Enabled and Interval is
// not 0, on the thread's event loop (so only while the loop or DoEvents runs). Interval
// outside 0..65535 raises 380.

#include <QObject>
#include <QTimer>

namespace forms {

class IntervalTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)

public:
    explicit IntervalTimer(QObject* parent = nullptr);

    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

signals:
    void Timer();

private:
    void update();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = true;
};

} // namespace forms
