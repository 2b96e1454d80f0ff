#include "program/wizard/stop_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace program {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

// Written by the handler (async-signal-safe: one write of one byte), read on the event loop.
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[2];

void note_signal(int signal)
{
    const unsigned char byte = static_cast<unsigned char>(signal);
    const int saved = errno;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

StopSignals::StopSignals(std::function<void(int signal)> stop) : m_stop(std::move(stop))
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] {
        unsigned char byte = 0;
        while (::read(g_pipe[0], &byte, 1) == 1)
            if (m_stop)
                m_stop(byte);
    });
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &g_previous[i]);
}

StopSignals::~StopSignals()
{
    if (m_notifier == nullptr)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
    delete m_notifier;
    for (int& fd : g_pipe) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace program
