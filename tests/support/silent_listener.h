#pragma once
// A host that accepts TCP connections and never answers: listens on a loopback address and
// port, takes every connection, reads and discards what arrives and sends nothing, as a
// server that hangs after its kernel accepted the connection. Counts the connections taken
// and those the client closed, so a test sees when its client gave up.

#include <atomic>
#include <string>
#include <thread>

namespace ostrel::test {

class silent_listener {
public:
    // On `address` (dotted, 127.x.y.z) and `port` (0: a free one); false from listening() when the port could
    // not be had (a port below 1024 without the right to bind it, or one in use).
    silent_listener(const std::string& address, int port);
    ~silent_listener();
    silent_listener(const silent_listener&) = delete;
    silent_listener& operator=(const silent_listener&) = delete;

    bool listening() const { return listener_ >= 0; }
    int port() const { return port_; }
    // Why listening() is false.
    const std::string& failure() const { return failure_; }
    int accepted() const { return accepted_; }
    int closed_by_client() const { return closed_; }

private:
    void run();

    int listener_ = -1;
    int port_ = 0;
    int stop_pipe_[2] = {-1, -1};
    std::string failure_;
    std::atomic<int> accepted_{0};
    std::atomic<int> closed_{0};
    std::thread thread_;
};

} // namespace ostrel::test
