#pragma once
// A host that accepts TCP connections and never answers: listens on a loopback address and
// port, takes every connection, reads and discards what arrives and sends nothing, as a
// server that hangs after its kernel accepted the connection. Counts the connections taken
// and those the client closed, so a test sees when its client gave up.

#include "tests/support/loopback_listener.h"

#include <atomic>
#include <string>

namespace ostrel::test {

class silent_listener {
public:
    // On `address` (dotted, 127.x.y.z) and `port` (0: a free one); false from listening() when the port could
    // not be had (a port below 1024 without the right to bind it, or one in use).
    silent_listener(const std::string& address, int port);
    ~silent_listener();
    silent_listener(const silent_listener&) = delete;
    silent_listener& operator=(const silent_listener&) = delete;

    bool listening() const { return listener_.listening(); }
    int port() const { return listener_.port(); }
    // Why listening() is false.
    const std::string& failure() const { return listener_.failure(); }
    int accepted() const { return accepted_; }
    int closed_by_client() const { return closed_; }

private:
    void run();

    std::atomic<int> accepted_{0};
    std::atomic<int> closed_{0};
    loopback_listener listener_;
};

} // namespace ostrel::test
