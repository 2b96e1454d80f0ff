#include "tests/support/loopback_listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ostrel::test {

loopback_listener::loopback_listener(const std::string& address, int port)
{
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, address.c_str(), &at.sin_addr) != 1 || (ntohl(at.sin_addr.s_addr) >> 24) != 127) {
        failure_ = address + " is not a loopback address";
        return;
    }
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    fd_ = fd;
    const int on = 1;
    if (fd >= 0)
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    socklen_t size = sizeof at;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(fd, 16) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size) != 0 || pipe2(stop_pipe_, O_CLOEXEC) != 0) {
        failure_ = "cannot listen on " + address + ":" + std::to_string(port) + ": " + std::strerror(errno);
        close_listening();
        return;
    }
    port_ = ntohs(at.sin_port);
}

loopback_listener::~loopback_listener()
{
    stop();
    close_listening();
    for (int fd : stop_pipe_)
        if (fd >= 0)
            close(fd);
}

void loopback_listener::start(std::function<void()> serve)
{
    if (listening())
        thread_ = std::thread(std::move(serve));
}

void loopback_listener::stop()
{
    if (!thread_.joinable())
        return;
    const char stop = 0;
    [[maybe_unused]] const ssize_t written = write(stop_pipe_[1], &stop, 1);
    thread_.join();
}

void loopback_listener::close_listening()
{
    if (const int fd = fd_.exchange(-1); fd >= 0)
        close(fd);
}

} // namespace ostrel::test
