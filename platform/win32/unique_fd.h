#pragma once
// A file descriptor closed when its owner goes.

#include <unistd.h>

#include <utility>

namespace win32 {

class unique_fd {
public:
    unique_fd() = default;
    explicit unique_fd(int fd) : fd_(fd) {}
    ~unique_fd() { reset(); }
    unique_fd(unique_fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    unique_fd& operator=(unique_fd&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.fd_, -1));
        return *this;
    }
    unique_fd(const unique_fd&) = delete;
    unique_fd& operator=(const unique_fd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes the descriptor held (if any) and holds `fd`; close's result for the old one.
    int reset(int fd = -1)
    {
        const int closed = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = fd;
        return closed;
    }

private:
    int fd_ = -1;
};

} // namespace win32
