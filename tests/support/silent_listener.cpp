#include "tests/support/silent_listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace ostrel::test {

silent_listener::silent_listener(const std::string& address, int port)
{
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, address.c_str(), &at.sin_addr) != 1 || (ntohl(at.sin_addr.s_addr) >> 24) != 127) {
        failure_ = address + " is not a loopback address";
        return;
    }
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    if (listener_ >= 0)
        setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
        listen(listener_, 16) != 0 || pipe2(stop_pipe_, O_CLOEXEC) != 0) {
        failure_ = "cannot listen on " + address + ":" + std::to_string(port) + ": " + std::strerror(errno);
        if (listener_ >= 0)
            close(listener_);
        listener_ = -1;
        return;
    }
    socklen_t size = sizeof at;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size);
    port_ = ntohs(at.sin_port);
    thread_ = std::thread([this] { run(); });
}

silent_listener::~silent_listener()
{
    if (thread_.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = write(stop_pipe_[1], &stop, 1);
        thread_.join();
    }
    for (int fd : {stop_pipe_[0], stop_pipe_[1], listener_})
        if (fd >= 0)
            close(fd);
}

void silent_listener::run()
{
    std::vector<int> connections;
    for (;;) {
        std::vector<pollfd> fds{{stop_pipe_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
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
            const int c = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
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
