#include "tests/support/silent_listener.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace ostrel::test {

silent_listener::silent_listener(const std::string& address, int port) : listener_(address, port)
{
    listener_.start([this] { run(); });
}

silent_listener::~silent_listener() { listener_.stop(); }

void silent_listener::run()
{
    std::vector<int> connections;
    for (;;) {
        std::vector<pollfd> fds{{listener_.stop_fd(), POLLIN, 0}, {listener_.fd(), POLLIN, 0}};
        for (int c : connections)
            fds.push_back({c, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents != 0)
            break;
        if (fds[1].revents & POLLIN) {
            const int c = accept4(listener_.fd(), nullptr, nullptr, SOCK_CLOEXEC);
            if (c >= 0) {
                connections.push_back(c);
                ++accepted_;
            }
        }
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (fds[i].revents == 0)
                continue;
            char discard[4096];
            if (read(fds[i].fd, discard, sizeof discard) <= 0) {
                close(fds[i].fd);
                std::erase(connections, fds[i].fd);
                ++closed_;
            }
        }
    }
    for (int c : connections)
        close(c);
}

} // namespace ostrel::test
