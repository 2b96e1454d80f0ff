#include "platform/win32/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace win32 {

int open_regular_file(const std::string& path)
{
    // Asked before opening, so that a device is never opened at all (opening one may act);
    // asked again of the open file, which is what is read whatever the path names by then.
    if (!is_regular_file(path))
        return -1;
    // O_NONBLOCK so that a FIFO without a writer opens at once instead of waiting; it changes
    // nothing for a regular file, which is then read as usual.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

bool is_regular_file(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if (!S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return false;
    }
    return true;
}

} // namespace win32
