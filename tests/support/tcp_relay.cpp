#include "tests/support/tcp_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace ostrel::test {

namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool send_all(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

struct connection {
    int client = -1;
    int server = -1;
};

} // namespace

tcp_relay::tcp_relay(int server_port, std::size_t server_bytes_before_outage, outage kind)
    : server_port_(server_port), budget_(server_bytes_before_outage), kind_(kind), listener_("127.0.0.1", 0)
{
    listener_.start([this] { run(); });
}

tcp_relay::~tcp_relay() { listener_.stop(); }

void tcp_relay::run()
{
    std::vector<connection> connections;
    std::size_t relayed = 0;
    auto close_all = [&] {
        for (auto& c : connections) {
            close(c.client);
            close(c.server);
        }
        connections.clear();
    };
    for (;;) {
        // Frozen: only the stop request is watched; nothing is accepted or passed on, so the
        // kernel's queues hold what either side sends.
        std::vector<pollfd> watched{{listener_.stop_fd(), POLLIN, 0}};
        if (!out_) {
            watched.push_back({listener_.fd(), POLLIN, 0});
            for (const auto& c : connections) {
                watched.push_back({c.client, POLLIN, 0});
                watched.push_back({c.server, POLLIN, 0});
            }
        }
        if (poll(watched.data(), watched.size(), -1) < 0)
            continue;
        if (watched[0].revents != 0)
            break;
        if (watched[1].revents & POLLIN) {
            const int client = accept(listener_.fd(), nullptr, nullptr);
            const int server = socket(AF_INET, SOCK_STREAM, 0);
            const sockaddr_in address = loopback(server_port_);
            if (client >= 0 && server >= 0 &&
                connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
                connections.push_back({client, server});
            } else {
                if (client >= 0)
                    close(client);
                if (server >= 0)
                    close(server);
            }
            continue;
        }
        for (std::size_t i = 2; i < watched.size(); ++i) {
            if ((watched[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            const auto& c = connections[(i - 2) / 2];
            const bool from_server = watched[i].fd == c.server;
            char buffer[16384];
            const ssize_t n = recv(watched[i].fd, buffer, sizeof buffer, 0);
            if (n <= 0 || !send_all(from_server ? c.client : c.server, buffer, static_cast<std::size_t>(n))) {
                close(c.client);
                close(c.server);
                connections.erase(connections.begin() + static_cast<std::ptrdiff_t>((i - 2) / 2));
                break; // the watched list no longer matches
            }
            if (from_server && (relayed += static_cast<std::size_t>(n)) >= budget_) {
                out_ = true;
                if (kind_ == outage::drop) {
                    close_all();
                    listener_.close_listening();
                }
                break;
            }
        }
    }
    close_all();
}

} // namespace ostrel::test
