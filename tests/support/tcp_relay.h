#pragma once
// A relay on a free port of 127.0.0.1 to a server on loopback, for tests of a server that goes
// away in the middle of an exchange without stopping the real one (which other tests share).
// Once the server has sent a given number of bytes through it, the relay either freezes
// (keeps every connection open and passes nothing on, as a stopped server whose host still
// accepts) or drops (closes every connection and stops listening, as a server that is gone).

#include "tests/support/loopback_listener.h"

#include <atomic>
#include <cstddef>

namespace ostrel::test {

class tcp_relay {
public:
    enum class outage { freeze, drop };

    // Relays to 127.0.0.1:server_port; false from listening() when no port could be had.
    tcp_relay(int server_port, std::size_t server_bytes_before_outage, outage kind);
    ~tcp_relay();
    tcp_relay(const tcp_relay&) = delete;
    tcp_relay& operator=(const tcp_relay&) = delete;

    bool listening() const { return listener_.listening(); }
    int port() const { return listener_.port(); }
    // Whether the outage has begun.
    bool out() const { return out_; }

private:
    void run();

    int server_port_;
    std::size_t budget_;
    outage kind_;
    std::atomic<bool> out_{false};
    loopback_listener listener_;
};

} // namespace ostrel::test
