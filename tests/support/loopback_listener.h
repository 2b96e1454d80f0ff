#pragma once
// A listening TCP socket on a loopback address with the thread that serves it, for the test
// servers that stand in for a misbehaving host (tcp_relay, silent_listener). The serving
// function polls stop_fd() with its sockets and returns once it becomes readable; stop()
// makes it so and waits for the thread. An owner calls stop() first in its destructor, since
// the serving function uses the owner's members.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace ostrel::test {

class loopback_listener {
public:
    // On `address` (dotted, 127.x.y.z) and `port` (0: a free one); listening() is false, with
    // the reason in failure(), when the port could not be had (one below 1024 without the right
    // to bind it, or one in use).
    loopback_listener(const std::string& address, int port);
    ~loopback_listener();
    loopback_listener(const loopback_listener&) = delete;
    loopback_listener& operator=(const loopback_listener&) = delete;

    bool listening() const { return fd_ >= 0; }
    int port() const { return port_; }
    const std::string& failure() const { return failure_; }
    // The listening socket; -1 once closed.
    int fd() const { return fd_; }
    // Readable once stop() was called.
    int stop_fd() const { return stop_pipe_[0]; }

    // Runs `serve` on the listener's own thread (only when listening).
    void start(std::function<void()> serve);
    // Wakes the serving function through stop_fd() and waits for it to return.
    void stop();
    // Stops accepting: the port is closed, as a host that went away.
    void close_listening();

private:
    std::atomic<int> fd_{-1};
    int port_ = 0;
    int stop_pipe_[2] = {-1, -1};
    std::string failure_;
    std::thread thread_;
};

} // namespace ostrel::test
