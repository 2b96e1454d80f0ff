#pragma once
// SIGTERM and SIGHUP (a logout, a stop asked for by the system) end the program as its own
// close does, from the event loop: the handler only notes the signal, and `stop` runs on the
// next turn of the loop, so destructors run and the program's private files are removed.

#include <functional>

class QSocketNotifier;

namespace program {

class StopSignals {
public:
    // One object per process at a time; the previous handlers come back when it goes.
    explicit StopSignals(std::function<void(int signal)> stop);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    std::function<void(int)> m_stop;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace program
